#include "PlistFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Foundation/AtomicFile.h"
#include "Preferences/PreferencesStore.h"

namespace plutil {
namespace {

// The file's bytes, up to one past the reader's cap (enough to refuse it). Opened without blocking
// and only when regular, so a FIFO or a device at the path never hangs or floods the tool.
bool readBytes(const std::string& path, std::string& bytes, std::string& problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        problem = fd < 0 ? std::strerror(errno) : "not a regular file";
        if (fd >= 0) ::close(fd);
        return false;
    }
    char chunk[16384];
    ssize_t n = 0;
    while (bytes.size() <= plist::kMaxFileBytes) {
        n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    if (n < 0) problem = std::strerror(errno);
    ::close(fd);
    return n >= 0;
}

}  // namespace

std::optional<PlistFile> readPlistFile(const std::string& path, std::string& problem) {
    std::string bytes;
    if (!readBytes(path, bytes, problem)) return std::nullopt;
    if (bytes.empty()) {
        problem = "the file is empty";
        return std::nullopt;
    }
    if (bytes.size() > plist::kMaxFileBytes) {
        problem = "larger than " + std::to_string(plist::kMaxFileBytes) + " bytes, which no property list here may be";
        return std::nullopt;
    }
    PlistFile file{plist::parse(bytes), bytes.starts_with("bplist") ? plist::Format::Binary : plist::Format::XML};
    if (!file.root) {
        problem = file.format == plist::Format::Binary ? "malformed binary property list" : "not a property list (malformed XML)";
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
    const bool written = PreferencesStore::updateFileLocked(path, [&] { return device::writeFileAtomically(path, bytes); });
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
        if (device::writeFileAtomically(path, *bytes)) return true;
        problem = std::strerror(errno);
        return false;
    });
    if (!locked) problem = std::strerror(errno);
    return written;
}

}  // namespace plutil
