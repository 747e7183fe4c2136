#include "Foundation/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace device {
namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string parentOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool makeDirectories(const std::string& hostPath) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = parentOf(hostPath);
    if (parent != hostPath && !makeDirectories(parent)) return false;
    return ::mkdir(hostPath.c_str(), 0755) == 0 || errno == EEXIST;
}

bool writeFileAtomically(const std::string& hostPath, std::string_view bytes) {
    const std::string directory = parentOf(hostPath);
    if (!makeDirectories(directory)) return false;
    std::string temp = hostPath + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes) && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), hostPath.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself must survive a crash too.
    const int dirfd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd >= 0) {
        ::fsync(dirfd);
        ::close(dirfd);
    }
    return true;
}

}  // namespace device
