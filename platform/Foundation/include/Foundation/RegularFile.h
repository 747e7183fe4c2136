#pragma once
// Opening files that other programs or the user may have replaced with anything: only a regular
// file is read, and opening never blocks (a FIFO at the path would otherwise hang its reader).

#include <cstddef>
#include <string>

namespace device {

enum class FileStatus { Read, Missing, NotRegular, TooLarge, Failed };

// A descriptor for reading the regular file at `path` (relative to `dirfd`, as for openat), or -1
// with the reason in `status`; a file of more than `maxBytes` is refused as TooLarge.
int openRegularFile(int dirfd, const char* path, size_t maxBytes, FileStatus& status);

// Reads an open file to its end into `out`; TooLarge once more than `maxBytes` came (the file grew).
FileStatus readToEnd(int fd, size_t maxBytes, std::string& out);

// Both of the above, and the descriptor closed.
FileStatus readRegularFile(int dirfd, const char* path, size_t maxBytes, std::string& out);

}  // namespace device
