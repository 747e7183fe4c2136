#include "device/OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "device/AtomicFile.h"

namespace device {
namespace {

constexpr int kMostLinks = 40;

// The descriptor a stream's name stands for: "/dev/stdout" is the output this process was given,
// whatever it is, never a file to be replaced under another name.
int streamFor(std::string_view path) {
    if (path == "/dev/stdout") return STDOUT_FILENO;
    if (path == "/dev/stderr") return STDERR_FILENO;
    for (std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(prefix)) continue;
        path.remove_prefix(prefix.size());
        int fd = -1;
        const auto [end, error] = std::from_chars(path.data(), path.data() + path.size(), fd);
        if (error == std::errc() && end == path.data() + path.size() && fd >= 0) return fd;
    }
    return -1;
}

bool refuse(std::string& problem, std::string reason) {
    problem = std::move(reason);
    return false;
}

bool writeInPlace(int fd, std::string_view bytes, std::string& problem) {
    if (writeAll(fd, bytes)) return true;
    return refuse(problem, std::strerror(errno));
}

// A regular file (or none yet) at a path that is no link: replaced whole, its mode kept.
bool replaceRegular(const std::string& path, std::string_view bytes, std::string& problem, const Kind& kind) {
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists) {
        struct stat folder {};
        const std::string parent = parentDirectory(path);
        if (::stat(parent.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
            return refuse(problem, "the folder " + parent + " does not exist");
    }
    if (exists && !kind.signature.empty() && st.st_size > 0) {
        std::string head(kind.signature.size(), '\0');
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        const ssize_t n = fd >= 0 ? ::pread(fd, head.data(), head.size(), 0) : -1;
        if (fd >= 0) ::close(fd);
        if (n != static_cast<ssize_t>(head.size()) || head != kind.signature)
            return refuse(problem, "exists and is not " + std::string(kind.name) + "; not replaced");
    }
    if (writeFileAtomically(path, bytes, exists ? st.st_mode & 07777 : 0644)) return true;
    return refuse(problem, std::strerror(errno));
}

}  // namespace

std::string followLinks(const std::string& path) {
    std::string at = path;
    for (int links = 0; links <= kMostLinks; ++links) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(at.c_str(), target, sizeof target);
        if (n < 0) return at;  // no link (or nothing at all): this is the file
        if (n == static_cast<ssize_t>(sizeof target)) break;
        const std::string to(target, static_cast<size_t>(n));
        at = to.starts_with('/') ? to : parentDirectory(at) + "/" + to;
    }
    errno = ELOOP;
    return {};
}

bool writeOutputFile(const std::string& path, std::string_view bytes, std::string& problem, const Kind& kind) {
    if (const int stream = streamFor(path); stream >= 0) return writeInPlace(stream, bytes, problem);
    const std::string target = followLinks(path);
    if (target.empty()) return refuse(problem, std::strerror(errno));
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) return refuse(problem, "is a directory");
        if (S_ISSOCK(st.st_mode)) return refuse(problem, "is a socket, which cannot be written");
        // A device, FIFO or terminal takes the bytes as they come; replacing it would put a
        // regular file where the machine keeps a device.
        const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return refuse(problem, std::strerror(errno));
        const bool written = writeInPlace(fd, bytes, problem);
        ::close(fd);
        return written;
    }
    return replaceRegular(target, bytes, problem, kind);
}

}  // namespace device
