#pragma once
// A scratch device root for one test: a fresh directory named by SIMULATOR_ROOT while the object
// lives (children forked meanwhile inherit it), removed with everything in it afterwards.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "device/DevicePath.h"
#include "plist/PropertyList.h"

class ScratchDevice {
public:
    ScratchDevice() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-platform-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        if (const char* old = ::getenv(device::kRootVariable)) previous_ = old;
        ::setenv(device::kRootVariable, root_.c_str(), 1);
    }
    ~ScratchDevice() {
        if (previous_)
            ::setenv(device::kRootVariable, previous_->c_str(), 1);
        else
            ::unsetenv(device::kRootVariable);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScratchDevice(const ScratchDevice&) = delete;
    ScratchDevice& operator=(const ScratchDevice&) = delete;

    const std::string& root() const { return root_; }
    // The host path of a device path ("/var/...") or of a path relative to the root.
    std::string host(const std::string& path) const { return root_ + (path.starts_with('/') ? "" : "/") + path; }

    void write(const std::string& path, const std::string& bytes) const {
        const std::filesystem::path file = host(path);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    void writePlist(const std::string& path, const NSObject* value, plist::Format format) const {
        auto bytes = plist::serialize(value, format);
        if (!bytes) throw std::runtime_error("value does not serialise");
        write(path, *bytes);
    }
    std::string read(const std::string& path) const {
        std::ifstream in(host(path), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool exists(const std::string& path) const { return std::filesystem::exists(host(path)); }

private:
    std::string root_;
    std::optional<std::string> previous_;
};
