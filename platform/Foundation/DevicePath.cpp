#include "Foundation/DevicePath.h"

#include <cstdlib>

namespace device {

std::string root() {
    const char* env = std::getenv(kRootVariable);
    return env && *env ? env : CORVANE_DEFAULT_ROOT;
}

std::string resolve(std::string_view devicePath) {
    if (devicePath.empty() || devicePath.front() != '/') return std::string(devicePath);
    std::string base = root();
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + std::string(devicePath);
}

}  // namespace device
