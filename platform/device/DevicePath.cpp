#include "device/DevicePath.h"

#include "device/DeviceFile.h"

#include <cstdlib>
#include <cstring>

namespace device {
namespace {

const char* rootPath() {
    const char* env = std::getenv(kRootVariable);
    return env && *env ? env : CORVANE_DEFAULT_ROOT;
}

// What goes before a device path on the host; nothing for a relative path, which names a host file
// already.
std::string_view prefixFor(std::string_view devicePath) {
    if (devicePath.empty() || devicePath.front() != '/') return {};
    return rootPrefix();
}

}  // namespace

std::string_view rootPrefix() {
    std::string_view base = rootPath();
    while (!base.empty() && base.back() == '/') base.remove_suffix(1);
    return base;
}

std::string root() { return rootPath(); }

std::string resolve(std::string_view devicePath) {
    const std::string_view prefix = prefixFor(devicePath);
    std::string path;
    path.reserve(prefix.size() + devicePath.size());
    return path.append(prefix).append(devicePath);
}

HostPath::HostPath(std::string_view devicePath) {
    const std::string_view prefix = prefixFor(devicePath);
    path_[0] = '\0';
    if (prefix.size() + devicePath.size() >= sizeof path_) return;
    std::memcpy(path_, prefix.data(), prefix.size());
    std::memcpy(path_ + prefix.size(), devicePath.data(), devicePath.size());
    path_[prefix.size() + devicePath.size()] = '\0';
    underRoot_ = devicePath.starts_with('/') || isUnderRoot(path_);  // a relative one only below a relative root
}

}  // namespace device
