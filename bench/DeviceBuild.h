#pragma once
// A build's programs run on a scratch device of their own: this build's, or another build's named
// by CORVANE_BASELINE_BUILD (its build directory), so two builds are timed in one run on one core.

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct DeviceBuild {
    std::string bin, deviceFiles;

    static DeviceBuild current() { return {CORVANE_BIN_DIR, CORVANE_DEVICE_FILES}; }
    // Nothing when no baseline build is named.
    static std::optional<DeviceBuild> baseline() {
        const char* dir = ::getenv("CORVANE_BASELINE_BUILD");
        if (!dir || !*dir) return std::nullopt;
        return DeviceBuild{std::string(dir) + "/bin", std::string(dir) + "/device-files"};
    }
};

// A device root holding the build's product and the device's killall; removed with it.
struct ScratchDevice {
    explicit ScratchDevice(const DeviceBuild& build) {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "corvane-bench-device-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        root = pattern;
        fs::copy(build.deviceFiles, root, fs::copy_options::recursive);
        fs::create_directories(root + "/usr/bin");
        fs::copy_file(build.bin + "/killall", root + "/usr/bin/killall");
    }
    ~ScratchDevice() { std::filesystem::remove_all(root); }
    ScratchDevice(const ScratchDevice&) = delete;
    ScratchDevice& operator=(const ScratchDevice&) = delete;
    std::string root;
};

// Runs a program with its output discarded and waits for it; its exit status, or -1.
inline int runQuietly(const std::vector<std::string>& argv) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
