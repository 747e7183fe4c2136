#include "device/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace device {

FileStatus statusOfOpenError(int error) {
    return error == ENOENT ? FileStatus::Missing : error == ENXIO ? FileStatus::NotRegular : FileStatus::Failed;
}

int openForReading(int dirfd, const char* path, FileStatus& status) {
    const int fd = ::openat(dirfd, path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    status = fd < 0 ? statusOfOpenError(errno) : FileStatus::Read;
    return fd;
}

int openRegularFile(int dirfd, const char* path, size_t maxBytes, FileStatus& status) {
    const int fd = openForReading(dirfd, path, status);
    if (fd < 0) return fd;
    struct stat st {};
    status = ::fstat(fd, &st) != 0                            ? FileStatus::Failed
             : !S_ISREG(st.st_mode)                           ? FileStatus::NotRegular
             : static_cast<size_t>(st.st_size) > maxBytes     ? FileStatus::TooLarge
                                                              : FileStatus::Read;
    if (status == FileStatus::Read) return fd;
    ::close(fd);
    return -1;
}

long readAt(int fd, char* buffer, size_t size, size_t offset, FileStatus& status) {
    ssize_t n;
    do n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    while (n < 0 && errno == EINTR);
    if (n < 0) status = errno == ESPIPE || errno == EISDIR || errno == EINVAL ? FileStatus::NotRegular : FileStatus::Failed;
    return n;
}

FileStatus readToEnd(int fd, size_t maxBytes, std::string& out) {
    char chunk[16384];
    FileStatus status = FileStatus::Read;
    for (;;) {
        const long n = readAt(fd, chunk, sizeof chunk, out.size(), status);
        if (n < 0) return status;
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
