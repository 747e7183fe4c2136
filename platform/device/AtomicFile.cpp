#include "device/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace device {
namespace {

// The new file, written and synced, under `temporaryName` in the directory; false (and no name
// left) when it cannot be made.
bool writeTemporary(int dirfd, const std::string& temporaryName, std::string_view bytes, mode_t mode) {
    ::unlinkat(dirfd, temporaryName.c_str(), 0);  // a leftover of a writer that died
    int fd = ::openat(dirfd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    const bool unnamed = fd >= 0;
    // Without O_TMPFILE (some file systems), the file is named from the start.
    if (!unnamed) fd = ::openat(dirfd, temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (ok && unnamed) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        ok = ::linkat(AT_FDCWD, self.c_str(), dirfd, temporaryName.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }
    const int error = errno;
    if (::close(fd) != 0) ok = false;
    if (!ok && !unnamed) ::unlinkat(dirfd, temporaryName.c_str(), 0);
    errno = error;
    return ok;
}

}  // namespace

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

std::string parentDirectory(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool makeDirectories(const std::string& hostPath) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = parentDirectory(hostPath);
    if (parent != hostPath && !makeDirectories(parent)) return false;
    return ::mkdir(hostPath.c_str(), 0755) == 0 || errno == EEXIST;
}

bool replaceFileAt(int dirfd, const std::string& name, const std::string& temporaryName, std::string_view bytes,
                   mode_t mode) {
    if (!writeTemporary(dirfd, temporaryName, bytes, mode)) return false;
    if (::renameat(dirfd, temporaryName.c_str(), dirfd, name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(dirfd, temporaryName.c_str(), 0);
        errno = error;
        return false;
    }
    ::fsync(dirfd);  // the rename itself must survive a crash too
    return true;
}

bool writeFileAtomically(const std::string& hostPath, std::string_view bytes, mode_t mode) {
    const std::string directory = parentDirectory(hostPath);
    if (!makeDirectories(directory)) return false;
    const int dirfd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd < 0) return false;
    // A name no other writer uses: this process and a count of its writes.
    static std::atomic<unsigned> writes{0};
    const std::string name = hostPath.substr(hostPath.find_last_of('/') + 1);
    const std::string temporary = name + "." + std::to_string(::getpid()) + "-" + std::to_string(writes++) + ".tmp";
    const bool ok = replaceFileAt(dirfd, name, temporary, bytes, mode);
    const int error = errno;
    ::close(dirfd);
    errno = error;
    return ok;
}

}  // namespace device
