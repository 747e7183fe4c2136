#pragma once
// Reading files that other programs or the user may have replaced with anything. Opening never
// blocks (a FIFO at the path would otherwise hang its reader), and reads are positioned, which a
// FIFO, a socket, a terminal or a directory refuses without giving up a byte. So a reader needs no
// more system calls than open, read and close.

#include <cstddef>
#include <string>

namespace device {

enum class FileStatus { Read, Missing, NotRegular, TooLarge, Failed };

// What an open that failed with `error` says of the file: a socket cannot be opened at all, and is
// no regular file either.
FileStatus statusOfOpenError(int error);

// A descriptor for reading `path` (relative to `dirfd`, as for openat), or -1 with the reason.
int openForReading(int dirfd, const char* path, FileStatus& status);
// The same, refusing at once (with fstat) anything but a regular file of at most `maxBytes`.
int openRegularFile(int dirfd, const char* path, size_t maxBytes, FileStatus& status);

// Reads on from offset out.size() to the end of the file; TooLarge once `out` holds more than
// `maxBytes`, NotRegular for what cannot be read by position.
FileStatus readToEnd(int fd, size_t maxBytes, std::string& out);
// One positioned read of up to `size` bytes at `offset`; its length, or -1 with the reason.
long readAt(int fd, char* buffer, size_t size, size_t offset, FileStatus& status);

// openRegularFile, readToEnd, and the descriptor closed.
FileStatus readRegularFile(int dirfd, const char* path, size_t maxBytes, std::string& out);

}  // namespace device
