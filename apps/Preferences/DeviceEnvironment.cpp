#include "DeviceEnvironment.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "device/DevicePath.h"

namespace settings {

std::string devicePath(const std::string& root) {
    std::string path;
    for (const char* directory : {"/usr/bin", "/bin", "/usr/sbin", "/sbin"}) {
        if (!path.empty()) path += ':';
        path += root + directory;
    }
    return path;
}

std::optional<std::string> enterDevice(const std::string& root) {
    std::unique_ptr<char, decltype(&std::free)> absolute(::realpath(root.c_str(), nullptr), &std::free);
    if (!absolute) return "cannot resolve device root '" + root + "': " + std::strerror(errno);
    const std::string canonical = absolute.get();
    if (canonical.find(':') != std::string::npos)
        return "device root '" + canonical + "' holds a ':', which a search path cannot carry";
    ::setenv(device::kRootVariable, canonical.c_str(), 1);
    ::setenv("PATH", devicePath(canonical).c_str(), 1);
    return std::nullopt;
}

}  // namespace settings
