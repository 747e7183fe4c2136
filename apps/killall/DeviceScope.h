#pragma once
// Which device a process belongs to. Paths are compared canonical, so a symlinked or relative
// spelling of a root names the same device.

#include <optional>
#include <string>

namespace killall {

// The device root this executable is installed in (ROOT/usr/bin/killall), or nothing with the
// reason in `problem` when it is not inside a device root.
std::optional<std::string> installedDeviceRoot(std::string& problem);

}  // namespace killall
