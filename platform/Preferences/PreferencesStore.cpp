#include "Preferences/PreferencesStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "Foundation/AtomicFile.h"
#include "Foundation/DevicePath.h"
#include "Foundation/JSON.h"
#include "Foundation/NSLog.h"
#include "Foundation/PropertyList.h"

namespace {

constexpr std::string_view kPreferencesDirectory = "/var/mobile/Library/Preferences/";

std::string directoryOf(const std::string& file) { return file.substr(0, file.find_last_of('/')); }

// Holds an exclusive flock on a lock file for its lifetime. The lock file is never removed: removing
// it would let two writers lock two different files.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~ExclusiveLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

// Logs why nothing was stored and hands the same reason to a caller that asked for it.
bool refuse(std::string* problem, std::string reason) {
    NSLog("Preferences: %s", reason.c_str());
    if (problem) *problem = std::move(reason);
    return false;
}

enum class ReadOutcome { Missing, Read, Failed };

// The file's bytes, up to one byte past the property-list size cap (enough to refuse it).
ReadOutcome readBytes(const std::string& file, std::string& bytes) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
    char chunk[16384];
    ssize_t n = 0;
    while (bytes.size() <= plist::kMaxFileBytes) {
        n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    const int error = errno;
    ::close(fd);
    errno = error;  // for the caller's message
    return n < 0 ? ReadOutcome::Failed : ReadOutcome::Read;
}

// The dictionary to change: the file's, or an empty one when there is none or the file was corrupt
// (then moved aside). nullopt when the file cannot be read or moved, so nothing is lost by writing.
std::optional<Ref<NSMutableDictionary>> loadForUpdate(const std::string& file, std::string* problem) {
    std::string bytes;
    switch (readBytes(file, bytes)) {
        case ReadOutcome::Missing: return make<NSMutableDictionary>();
        case ReadOutcome::Failed:
            refuse(problem, "cannot read " + file + " (" + std::strerror(errno) + "); nothing stored");
            return std::nullopt;
        case ReadOutcome::Read: break;
    }
    Ref<NSObject> root = plist::parse(bytes);
    if (auto* dictionary = objc_cast<NSDictionary>(root.get())) return make<NSMutableDictionary>(dictionary->entries());
    const std::string aside = file + ".corrupt";
    if (::rename(file.c_str(), aside.c_str()) != 0) {
        refuse(problem, file + " is not a property-list dictionary and cannot be moved aside (" + std::strerror(errno) +
                            "); nothing stored");
        return std::nullopt;
    }
    NSLog("Preferences: %s is not a property-list dictionary; kept as %s, starting afresh", file.c_str(), aside.c_str());
    return make<NSMutableDictionary>();
}

bool refuseDomain(std::string_view domain, std::string* problem = nullptr) {
    if (PreferencesStore::isValidDomain(domain)) return false;
    refuse(problem, "domain " + json::quoted(domain) + " names no preference file; ignored");
    return true;
}

}  // namespace

bool PreferencesStore::isValidDomain(std::string_view domain) {
    return !domain.empty() && domain.find('/') == std::string_view::npos &&
           domain.find("..") == std::string_view::npos && domain.find('\0') == std::string_view::npos;
}

std::string PreferencesStore::pathForDomain(std::string_view domain) {
    if (!isValidDomain(domain)) return {};
    return std::string(kPreferencesDirectory) + std::string(domain) + ".plist";
}

Ref<NSDictionary> PreferencesStore::readPreferences(std::string_view domain) {
    if (refuseDomain(domain)) return nullptr;
    Ref<NSDictionary> stored = NSDictionary::dictionaryWithContentsOfFile(pathForDomain(domain));
    return stored ? stored : make<NSDictionary>();
}

Ref<NSObject> PreferencesStore::readPreferenceValue(std::string_view domain, std::string_view key) {
    Ref<NSDictionary> stored = readPreferences(domain);
    return stored ? Ref<NSObject>(stored->objectForKey(key)) : nullptr;
}

bool PreferencesStore::updateFileLocked(const std::string& hostPath, const std::function<bool()>& update) {
    ExclusiveLock lock(hostPath + ".lock");
    return lock && update();
}

bool PreferencesStore::setPreferenceValue(std::string_view domain, std::string_view key, id value, std::string* problem) {
    if (refuseDomain(domain, problem)) return false;
    if (key.empty()) return refuse(problem, "empty key in domain " + json::quoted(domain) + "; nothing stored");
    if (value && !plist::serialize(value, plist::Format::Binary))
        return refuse(problem, "the value for " + json::quoted(key) + " is not a property-list value; nothing stored");
    const std::string file = device::resolve(pathForDomain(domain));
    if (!device::makeDirectories(directoryOf(file)))
        return refuse(problem, "cannot create " + directoryOf(file) + " (" + std::strerror(errno) + "); nothing stored");
    ExclusiveLock lock(file + ".lock");
    if (!lock) return refuse(problem, "cannot lock " + file + ".lock (" + std::strerror(errno) + "); nothing stored");
    auto values = loadForUpdate(file, problem);
    if (!values) return false;
    (*values)->setObject(value, key);
    auto bytes = plist::serialize(values->get(), plist::Format::Binary);
    if (!bytes || !device::writeFileAtomically(file, *bytes))
        return refuse(problem, "cannot write " + file + " (" + std::strerror(errno) + "); nothing stored");
    return true;
}
