#include "DeviceScope.h"

#include <filesystem>
#include <string_view>

#include "Foundation/DevicePath.h"
#include "ProcFiles.h"

namespace fs = std::filesystem;

namespace killall {

namespace {

std::optional<std::string> canonicalPath(const fs::path& path) {
    std::error_code error;
    const fs::path resolved = fs::canonical(path, error);
    if (error) return std::nullopt;
    return resolved.string();
}

// The value of one variable in a NUL-separated environment block.
std::optional<std::string> environmentValue(std::string_view block, std::string_view name) {
    while (!block.empty()) {
        const size_t end = block.find('\0');
        const std::string_view entry = block.substr(0, end);
        if (entry.size() > name.size() && entry.substr(0, name.size()) == name && entry[name.size()] == '=')
            return std::string(entry.substr(name.size() + 1));
        if (end == std::string_view::npos) break;
        block.remove_prefix(end + 1);
    }
    return std::nullopt;
}

}  // namespace

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
    auto resolved = canonicalPath(root);
    if (!resolved) problem = "device root " + root.string() + " cannot be resolved";
    return resolved;
}

std::optional<std::string> deviceRootOf(pid_t pid) {
    const auto environment = readProcFile(procPath(pid, "environ"));
    if (!environment) return std::nullopt;
    const auto value = environmentValue(*environment, device::kRootVariable);
    if (!value || value->empty()) return std::nullopt;
    fs::path root = *value;
    if (root.is_relative()) {
        std::error_code error;
        const fs::path cwd = fs::read_symlink(procPath(pid, "cwd"), error);
        if (error) return std::nullopt;
        root = cwd / root;
    }
    return canonicalPath(root);
}

}  // namespace killall
