#pragma once
// Which device a process belongs to. Paths are compared canonical, so a symlinked or relative
// spelling of a root names the same device.

#include <sys/types.h>

#include <optional>
#include <string>

namespace killall {

// The device root this executable is installed in (ROOT/usr/bin/killall), or nothing with the
// reason in `problem` when it is not inside a device root.
std::optional<std::string> installedDeviceRoot(std::string& problem);

// The device root of a running process, from SIMULATOR_ROOT in its environment (a relative value
// is taken from the process's working directory). Nothing for a process of no device, or one whose
// environment cannot be read (another user's, a zombie, gone).
std::optional<std::string> deviceRootOf(pid_t pid);

}  // namespace killall
