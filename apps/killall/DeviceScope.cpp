#include "DeviceScope.h"

#include <filesystem>
#include <string_view>

#include "device_host/DeviceProcess.h"

namespace fs = std::filesystem;

namespace killall {

std::optional<std::string> installedDeviceRoot(std::string& problem) {
    std::error_code error;
    std::string executable = fs::read_symlink("/proc/self/exe", error).string();
    if (error) {
        problem = "cannot tell where this killall is installed: " + error.message();
        return std::nullopt;
    }
    // An executable replaced while it runs (a reinstall) still names its old place.
    constexpr std::string_view kDeleted = " (deleted)";
    if (executable.ends_with(kDeleted)) executable.resize(executable.size() - kDeleted.size());

    const fs::path bin = fs::path(executable).parent_path();
    const fs::path usr = bin.parent_path();
    const fs::path root = usr.parent_path();
    if (bin.filename() != "bin" || usr.filename() != "usr" || root.empty() || root == root.root_path()) {
        problem = executable + " is not inside a device root (ROOT/usr/bin/killall); refusing to signal anything";
        return std::nullopt;
    }
    auto resolved = device_host::canonicalPath(root);
    if (!resolved) problem = "device root " + root.string() + " cannot be resolved";
    return resolved;
}

}  // namespace killall
