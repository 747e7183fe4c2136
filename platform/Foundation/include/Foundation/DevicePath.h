#pragma once
// Absolute device paths ("/var/mobile/...", "/Library/...") live under the simulated device's root
// directory, named by SIMULATOR_ROOT in every process of the device.

#include <string>
#include <string_view>

namespace device {

inline constexpr const char* kRootVariable = "SIMULATOR_ROOT";

// The device root of this process: $SIMULATOR_ROOT, else the default root of the build tree.
std::string root();
// The host path of a device path: the root joined with the absolute path. A relative path is
// taken as it stands (it names a host file already).
std::string resolve(std::string_view devicePath);

}  // namespace device
