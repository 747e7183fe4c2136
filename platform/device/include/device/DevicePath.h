#pragma once
// Absolute device paths ("/var/mobile/...", "/Library/...") live under the simulated device's root
// directory, named by SIMULATOR_ROOT in every process of the device.

#include <limits.h>

#include <string>
#include <string_view>

namespace device {

inline constexpr const char* kRootVariable = "SIMULATOR_ROOT";
// The device's global preferences, the user's languages among them ("AppleLanguages").
inline constexpr const char* kGlobalPreferencesPath = "/var/mobile/Library/Preferences/.GlobalPreferences.plist";

// The device root of this process: $SIMULATOR_ROOT, else the default root of the build tree.
std::string root();
// The same without trailing slashes and without allocating: what goes before a device path.
std::string_view rootPrefix();
// The host path of a device path: the root joined with the absolute path. A relative path is
// taken as it stands (it names a host file already).
std::string resolve(std::string_view devicePath);

// The same path built in place, for reads made on every call: no allocation. Empty (and so never
// opened) when it would not fit a host path.
class HostPath {
public:
    explicit HostPath(std::string_view devicePath);
    const char* c_str() const { return path_; }
    // Whether it lies under the device root (an absolute device path), as isUnderRoot would say
    // without reading the environment again.
    bool underRoot() const { return underRoot_; }

private:
    char path_[PATH_MAX];  // left uninitialised past the terminator: it is built on every call
    bool underRoot_ = false;
};

}  // namespace device
