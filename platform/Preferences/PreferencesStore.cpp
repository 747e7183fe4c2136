#include "Preferences/PreferencesStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "Foundation/NSLog.h"
#include "StoredFile.h"
#include "device/AtomicFile.h"
#include "device/DeviceFile.h"
#include "device/DevicePath.h"
#include "device/JSON.h"
#include "plist/PropertyList.h"

namespace {

constexpr std::string_view kPreferencesDirectory = "/var/mobile/Library/Preferences/";

std::string directoryOf(const std::string& file) { return file.substr(0, file.find_last_of('/')); }

// Holds an exclusive flock on a lock file for its lifetime. The lock file is never removed: removing
// it would let two writers lock two different files. It is opened like the file it guards: never
// through a link out of the device root, and only when it is a regular file.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::string& path)
        : fd_(device::openInsideRoot(path, O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644, &link_)) {
        struct stat st {};
        if (fd_ < 0) problem_ = device::whyNotOpened(errno, link_);
        else if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            release();
            problem_ = "not a regular file";
        }
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            problem_ = std::strerror(errno);
            release();
        }
    }
    // Why the lock could not be taken.
    const std::string& problem() const { return problem_; }
    ~ExclusiveLock() { release(); }  // closing releases the lock
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    explicit operator bool() const { return fd_ >= 0; }

private:
    void release() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    std::string link_;  // a link leading out, named before fd_ is opened
    int fd_;
    std::string problem_;
};

// Logs why nothing was stored and hands the same reason to a caller that asked for it.
bool refuse(std::string* problem, std::string reason) {
    NSLog("Preferences: %s", reason.c_str());
    if (problem) *problem = std::move(reason);
    return false;
}

// The dictionary to change: the file's, or an empty one when there is none or the file was corrupt
// (then moved aside). nullopt when the file must be left as it is, so nothing is lost by writing.
std::optional<Ref<NSMutableDictionary>> loadForUpdate(const std::string& file, std::string* problem) {
    const preferences::StoredFile stored = preferences::readStoredFile(file);
    switch (stored.state) {
        case preferences::FileState::Missing: return make<NSMutableDictionary>();
        case preferences::FileState::Read: return make<NSMutableDictionary>(stored.values->entries());
        case preferences::FileState::Untouchable:
            refuse(problem, "cannot read " + file + " (" + stored.problem + "); nothing stored");
            return std::nullopt;
        case preferences::FileState::Corrupt: break;
    }
    const std::string aside = file + ".corrupt";
    if (::rename(file.c_str(), aside.c_str()) != 0) {
        refuse(problem, file + " " + stored.problem + " and cannot be moved aside (" + std::strerror(errno) +
                            "); nothing stored");
        return std::nullopt;
    }
    NSLog("Preferences: %s %s; kept as %s, starting afresh", file.c_str(), stored.problem.c_str(), aside.c_str());
    return make<NSMutableDictionary>();
}

// The encoded new contents, when every reader would read them back as `values`; otherwise nullopt
// and the reason.
std::optional<std::string> encodeReadably(const NSDictionary* values, std::string& problem) {
    auto bytes = plist::serialize(values, plist::Format::Binary);
    if (!bytes) problem = "cannot be encoded";
    else if (bytes->size() > plist::kMaxFileBytes)
        problem = "would be larger than the " + std::to_string(plist::kMaxFileBytes) + "-byte limit";
    else if (!plist::sameValue(plist::parse(*bytes), values))
        problem = "would not read back as stored (a string that is not valid UTF-8, or a value out of range)";
    else return bytes;
    return std::nullopt;
}

// Writes the file in its directory, resolved inside the device root. A temporary file of a writer
// that died is replaced here, under the lock, so none outlives the next write.
bool replaceInsideRoot(const device::InsideRoot& file, const std::string& bytes, std::string& problem) {
    const bool written = device::replaceFileAt(file.directory, file.name, file.name + ".new", bytes);
    if (!written) problem = std::strerror(errno);
    return written;
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
    // Read as the store reads it for a change: what it would not touch, it does not show either.
    preferences::StoredFile stored = preferences::readStoredFile(device::resolve(pathForDomain(domain)));
    return stored.values ? stored.values : make<NSDictionary>();
}

Ref<NSObject> PreferencesStore::readPreferenceValue(std::string_view domain, std::string_view key) {
    Ref<NSDictionary> stored = readPreferences(domain);
    return stored ? Ref<NSObject>(stored->objectForKey(key)) : nullptr;
}

bool PreferencesStore::keepsFilesIn(std::string_view hostDirectory) {
    std::string_view folder = kPreferencesDirectory;
    folder.remove_suffix(1);  // its trailing slash
    return hostDirectory.ends_with(folder);
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
    const std::string path = device::resolve(pathForDomain(domain));
    std::string link;
    if (!device::makeDirectoriesInsideRoot(directoryOf(path), &link))
        return refuse(problem, "cannot create " + directoryOf(path) + " inside the device root (" +
                                   device::whyNotOpened(errno, link) + "); nothing stored");
    // A link inside the root is followed once, here: the lock and the write are the real file's.
    device::InsideRoot target;
    if (!device::resolveInsideRoot(path, target, &link))
        return refuse(problem, "cannot read " + path + " (" + device::whyNotOpened(errno, link) + "); nothing stored");
    const std::string& file = target.path;
    ExclusiveLock lock(file + ".lock");
    if (!lock) return refuse(problem, "cannot lock " + file + ".lock (" + lock.problem() + "); nothing stored");
    auto values = loadForUpdate(file, problem);
    if (!values) return false;
    (*values)->setObject(value, key);
    std::string why;
    auto bytes = encodeReadably(values->get(), why);
    if (!bytes) return refuse(problem, file + " with " + json::quoted(key) + " changed " + why + "; nothing stored");
    if (!replaceInsideRoot(target, *bytes, why)) return refuse(problem, "cannot write " + file + " (" + why + "); nothing stored");
    return true;
}
