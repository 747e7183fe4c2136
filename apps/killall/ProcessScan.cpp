#include "ProcessScan.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>

#include "DeviceScope.h"
#include "device_host/DeviceProcess.h"
#include "device_host/ProcFiles.h"
#include "ProcessHandle.h"

namespace killall {

namespace {

constexpr size_t kProcessNameLength = 15;

std::optional<pid_t> pidNamed(const char* entry) {
    pid_t pid = 0;
    const char* end = entry + std::strlen(entry);
    const auto [last, error] = std::from_chars(entry, end, pid);
    if (error != std::errc() || last != end || pid <= 0) return std::nullopt;
    return pid;
}

std::vector<pid_t> runningProcesses() {
    std::vector<pid_t> pids;
    DIR* proc = ::opendir("/proc");
    if (!proc) return pids;
    while (const dirent* entry = ::readdir(proc)) {
        if (const auto pid = pidNamed(entry->d_name)) pids.push_back(*pid);
    }
    ::closedir(proc);
    return pids;
}

std::optional<std::string> processName(pid_t pid) {
    auto name = device_host::readProcFile(device_host::procPath(pid, "comm"), 64);
    if (name && !name->empty() && name->back() == '\n') name->pop_back();
    return name;
}

bool wanted(const std::string& processName, const std::vector<std::string>& names) {
    for (const auto& name : names) {
        if (nameMatches(processName, name)) return true;
    }
    return false;
}

}  // namespace

bool nameMatches(std::string_view processName, std::string_view wanted) {
    if (wanted.size() > kProcessNameLength) wanted = wanted.substr(0, kProcessNameLength);
    return processName == wanted;
}

ScanResult signalDeviceProcesses(const std::string& deviceRoot, const std::vector<std::string>& names, int signal) {
    ScanResult result;
    const pid_t self = ::getpid();
    for (const pid_t pid : runningProcesses()) {
        if (pid == self) continue;
        // Held before anything is read, so what is read and what is signalled are the same process.
        const ProcessHandle process(pid);
        if (!process.valid()) continue;
        const auto name = processName(pid);
        if (!name || !wanted(*name, names)) continue;
        if (device_host::deviceRootOf(pid) != deviceRoot) continue;
        const int error = process.send(signal);
        if (error == ESRCH) continue;
        ++result.matched;
        if (error == 0) {
            ++result.signalled;
        } else {
            std::fprintf(stderr, "killall: cannot signal %s (pid %d): %s\n", name->c_str(), static_cast<int>(pid),
                         std::strerror(error));
        }
    }
    return result;
}

}  // namespace killall
