#include "PlistFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Preferences/PreferencesStore.h"
#include "device/AtomicFile.h"
#include "device/OutputFile.h"
#include "device/RegularFile.h"

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
    std::string why;
    PlistFile file{plist::parse(bytes, &why), bytes.starts_with("bplist") ? plist::Format::Binary : plist::Format::XML};
    if (!file.root) {
        problem = std::string(file.format == plist::Format::Binary ? "not a readable property list (binary): "
                                                                   : "not a readable property list (XML): ") + why;
        return std::nullopt;
    }
    return file;
}

bool writeOutput(const std::string& path, std::string_view bytes, std::string& problem) {
    if (path == "-") return device::writeOutputFile("/dev/stdout", bytes, problem);
    return device::writeOutputFile(path, bytes, problem);
}

bool createFile(const std::string& path, std::string_view bytes, std::string& problem) {
    const std::string target = device::followLinks(path);
    struct stat st {};
    if (!target.empty() && ::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        problem = "already exists; -create makes a new file only (remove it first)";
        return false;
    }
    return writeOutput(path, bytes, problem);
}

bool rewritePlistFile(const std::string& path,
                      const std::function<std::optional<std::string>(const PlistFile&, std::string& problem)>& change,
                      std::string& problem) {
    // The change is the link's target's: a link stays a link, and the lock is the real file's.
    const std::string file = device::followLinks(path);
    if (file.empty() || ::access(file.c_str(), F_OK) != 0) {
        problem = std::strerror(errno);
        return false;
    }
    const auto update = [&] {
        auto read = readPlistFile(file, problem);
        if (!read) return false;
        auto bytes = change(*read, problem);
        if (!bytes) return false;
        if (device::writeFileAtomically(file, *bytes, modeFor(file))) return true;
        problem = std::strerror(errno);
        return false;
    };
    // Only where the store keeps its files, and so its locks, is there a writer to agree with.
    if (!PreferencesStore::keepsFilesIn(file.substr(0, file.find_last_of('/')))) return update();
    bool locked = false;
    const bool written = PreferencesStore::updateFileLocked(file, [&] {
        locked = true;
        return update();
    });
    if (!locked) problem = std::strerror(errno);
    return written;
}

}  // namespace plutil
