#include "PlistFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Foundation/AtomicFile.h"
#include "Foundation/RegularFile.h"
#include "Preferences/PreferencesStore.h"

namespace plutil {
namespace {

// Why a file could not be read, in the words the system uses where it has them.
std::string readProblem(device::FileStatus status) {
    switch (status) {
        case device::FileStatus::Missing: return std::strerror(ENOENT);
        case device::FileStatus::NotRegular: return "not a regular file";
        case device::FileStatus::TooLarge:
            return "larger than " + std::to_string(plist::kMaxFileBytes) + " bytes, which no property list here may be";
        case device::FileStatus::Failed:
        case device::FileStatus::Read: break;
    }
    return std::strerror(errno);
}

// The permissions a rewritten file keeps: its own, or the usual ones for a new file.
mode_t modeFor(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0644;
}

}  // namespace

std::optional<PlistFile> readPlistFile(const std::string& path, std::string& problem) {
    std::string bytes;
    const device::FileStatus status = device::readRegularFile(AT_FDCWD, path.c_str(), plist::kMaxFileBytes, bytes);
    if (status != device::FileStatus::Read) {
        problem = readProblem(status);
        return std::nullopt;
    }
    if (bytes.empty()) {
        problem = "the file is empty";
        return std::nullopt;
    }
    PlistFile file{plist::parse(bytes), bytes.starts_with("bplist") ? plist::Format::Binary : plist::Format::XML};
    if (!file.root) {
        problem = file.format == plist::Format::Binary ? "not a readable property list (binary)"
                                                       : "not a readable property list (XML)";
        return std::nullopt;
    }
    return file;
}

bool writeOutput(const std::string& path, std::string_view bytes, std::string& problem) {
    if (path == "-") {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0) return true;
        problem = std::strerror(errno);
        return false;
    }
    const bool written = PreferencesStore::updateFileLocked(path, [&] { return device::writeFileAtomically(path, bytes, modeFor(path)); });
    if (!written) problem = std::strerror(errno);
    return written;
}

bool rewritePlistFile(const std::string& path,
                      const std::function<std::optional<std::string>(const PlistFile&, std::string& problem)>& change,
                      std::string& problem) {
    // A missing file is told as such, and gets no lock file beside it.
    if (::access(path.c_str(), F_OK) != 0) {
        problem = std::strerror(errno);
        return false;
    }
    bool locked = false;
    const bool written = PreferencesStore::updateFileLocked(path, [&] {
        locked = true;
        auto file = readPlistFile(path, problem);
        if (!file) return false;
        auto bytes = change(*file, problem);
        if (!bytes) return false;
        if (device::writeFileAtomically(path, *bytes, modeFor(path))) return true;
        problem = std::strerror(errno);
        return false;
    });
    if (!locked) problem = std::strerror(errno);
    return written;
}

}  // namespace plutil
