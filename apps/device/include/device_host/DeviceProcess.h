#pragma once
// A host program is a process of its device when SIMULATOR_ROOT in its start-up environment names
// the device root: that is what the device's killall reads (/proc/PID/environ), and a variable set
// while the program runs does not show there.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace device_host {

// The path with every symlink, "." and ".." resolved; nothing when it does not exist.
std::optional<std::string> canonicalPath(const std::filesystem::path& path);

// The device root of a running process, from SIMULATOR_ROOT in its start-up environment (a relative
// value is taken from the process's working directory), made canonical so that a symlinked or
// relative spelling names the same device. Nothing for a process of no device, or one whose
// environment cannot be read (another user's, a zombie, gone).
std::optional<std::string> deviceRootOf(pid_t pid);

// Makes this process one of the device at `root`. When its start-up environment already names
// that root (as a launcher's child's does) nothing happens; otherwise SIMULATOR_ROOT is set and the
// program is started again in place with the same arguments, so this call does not return. The
// problem when the root cannot be resolved or the program cannot be started again; then
// SIMULATOR_ROOT is still set for this process and its children.
std::optional<std::string> joinDevice(const std::string& root, char** argv);

}  // namespace device_host
