#include "device_host/ProcFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace device_host {

std::optional<std::string> readProcFile(const std::string& path, size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char buffer[4096];
    while (text.size() < limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return text;
}

std::string procPath(pid_t pid, const char* entry) { return "/proc/" + std::to_string(pid) + "/" + entry; }

}  // namespace device_host
