#include "device_host/DeviceProcess.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "device/DevicePath.h"
#include "device_host/ProcFiles.h"

namespace fs = std::filesystem;

namespace device_host {
namespace {

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

std::optional<std::string> canonicalPath(const std::filesystem::path& path) {
    std::error_code error;
    const fs::path resolved = fs::canonical(path, error);
    if (error) return std::nullopt;
    return resolved.string();
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

std::optional<std::string> joinDevice(const std::string& root, char** argv) {
    const auto canonical = canonicalPath(root);
    if (!canonical) return "cannot resolve device root '" + root + "'";
    if (deviceRootOf(::getpid()) == canonical) return std::nullopt;
    ::setenv(device::kRootVariable, canonical->c_str(), 1);
    // By its real path, which keeps the process name: that comes from the file name executed.
    std::error_code error;
    const std::string self = fs::read_symlink("/proc/self/exe", error).string();
    if (error) return "cannot find this program to start it again: " + error.message();
    ::execv(self.c_str(), argv);
    return "cannot start " + self + " again with " + device::kRootVariable + " set: " + std::strerror(errno);
}

}  // namespace device_host
