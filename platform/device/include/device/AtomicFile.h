#pragma once
// Writing a file so that a reader in another process sees the old contents or the new, never half,
// and so that a writer killed at any point leaves no copy behind: the new contents go into an
// unnamed file (O_TMPFILE) in the same directory, are synced, get a temporary name and are renamed
// over the old file, and the directory is synced. Only between the naming and the rename, two
// system calls apart, can a dead writer leave the temporary name.

#include <sys/types.h>

#include <string>
#include <string_view>

namespace device {

// Creates missing parent directories. Returns false (leaving no temporary file behind) on failure.
// The new file has `mode` (a tool rewriting someone's private file keeps it private).
bool writeFileAtomically(const std::string& hostPath, std::string_view bytes, mode_t mode = 0644);

// The same inside the directory open as `dirfd`, with a temporary name of the caller's choosing: a
// caller holding a lock can use one fixed name, and a leftover of that name is replaced.
bool replaceFileAt(int dirfd, const std::string& name, const std::string& temporaryName, std::string_view bytes,
                   mode_t mode = 0644);

// write(2) until every byte is written; false with errno set on a failure.
bool writeAll(int fd, std::string_view bytes);

// The directory part of a path: "." for a bare name, "/" for a file at the top.
std::string parentDirectory(const std::string& path);

// mkdir -p; true when the directory exists afterwards.
bool makeDirectories(const std::string& hostPath);

}  // namespace device
