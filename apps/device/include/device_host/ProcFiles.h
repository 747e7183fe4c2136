#pragma once
// Reading the small text files of /proc, where a process may vanish between two reads.

#include <sys/types.h>

#include <optional>
#include <string>

namespace device_host {

// The whole file, or nothing when it cannot be opened or read. Stops at `limit` bytes.
std::optional<std::string> readProcFile(const std::string& path, size_t limit = 1 << 20);
std::string procPath(pid_t pid, const char* entry);

}  // namespace device_host
