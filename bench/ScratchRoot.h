#pragma once
// A device root of a benchmark's own: a fresh directory named by SIMULATOR_ROOT while it lives,
// then removed, with the previous root named again. So benchmarks give the same figures whatever
// order they run in, interleaved or not.

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "device/DevicePath.h"

class ScratchRoot {
public:
    ScratchRoot() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path = pattern;
        if (const char* old = ::getenv(device::kRootVariable)) previous_ = old;
        ::setenv(device::kRootVariable, path.c_str(), 1);
    }
    ~ScratchRoot() {
        if (previous_) ::setenv(device::kRootVariable, previous_->c_str(), 1);
        else ::unsetenv(device::kRootVariable);
        std::filesystem::remove_all(path);
    }
    ScratchRoot(const ScratchRoot&) = delete;
    ScratchRoot& operator=(const ScratchRoot&) = delete;

    std::string path;

private:
    std::optional<std::string> previous_;
};
