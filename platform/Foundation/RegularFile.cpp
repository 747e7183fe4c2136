#include "Foundation/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace device {

int openRegularFile(int dirfd, const char* path, size_t maxBytes, FileStatus& status) {
    const int fd = ::openat(dirfd, path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        // A socket cannot be opened at all; it is no regular file either.
        status = errno == ENOENT ? FileStatus::Missing : errno == ENXIO ? FileStatus::NotRegular : FileStatus::Failed;
        return -1;
    }
    struct stat st {};
    status = ::fstat(fd, &st) != 0            ? FileStatus::Failed
             : !S_ISREG(st.st_mode)           ? FileStatus::NotRegular
             : static_cast<size_t>(st.st_size) > maxBytes ? FileStatus::TooLarge
                                              : FileStatus::Read;
    if (status == FileStatus::Read) return fd;
    ::close(fd);
    return -1;
}

FileStatus readToEnd(int fd, size_t maxBytes, std::string& out) {
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FileStatus::Failed;
        if (n == 0) return FileStatus::Read;
        out.append(chunk, static_cast<size_t>(n));
        if (out.size() > maxBytes) return FileStatus::TooLarge;
    }
}

FileStatus readRegularFile(int dirfd, const char* path, size_t maxBytes, std::string& out) {
    FileStatus status;
    const int fd = openRegularFile(dirfd, path, maxBytes, status);
    if (fd < 0) return status;
    status = readToEnd(fd, maxBytes, out);
    const int error = errno;
    ::close(fd);
    errno = error;  // for the caller's message
    return status;
}

}  // namespace device
