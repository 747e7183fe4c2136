#pragma once
// Writing a file so that a reader in another process sees the old contents or the new, never half:
// a temporary file in the same directory, fsync, rename over the old one, fsync the directory.

#include <string>
#include <string_view>

namespace device {

// Creates missing parent directories. Returns false (leaving no temporary file behind) on failure.
bool writeFileAtomically(const std::string& hostPath, std::string_view bytes);
// mkdir -p; true when the directory exists afterwards.
bool makeDirectories(const std::string& hostPath);

}  // namespace device
