#include "plist/PropertyList.h"

#include <fcntl.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <vector>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSString.h"
#include "PlistReaders.h"
#include "device/DeviceFile.h"
#include "device/DevicePath.h"
#include "device/RegularFile.h"

namespace plist {
namespace {

bool fits(std::string_view bytes) { return !bytes.empty() && bytes.size() <= kMaxFileBytes; }

// Says once which link kept a file of the device from being read: the hooks read on every call.
void reportLinkOut(const std::string& link) {
    static std::mutex mutex;
    static std::string reported;
    std::lock_guard<std::mutex> hold(mutex);
    if (link == reported) return;
    reported = link;
    NSLog("Foundation: %s; not read", device::whyNotOpened(EXDEV, link).c_str());
}

// A descriptor for reading a host path; a file of the device only through links that stay inside
// its root, as the preference store opens it.
int openDeviceFile(const char* hostPath, bool underRoot, device::FileStatus& status) {
    if (!underRoot) return device::openForReading(AT_FDCWD, hostPath, status);
    std::string link;
    const int fd = device::openUnderRoot(hostPath, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0, &link);
    if (fd >= 0) {
        status = device::FileStatus::Read;
        return fd;
    }
    const int error = errno;
    status = device::statusOfOpenError(error);
    if (error == EXDEV) reportLinkOut(link);
    return fd;
}

// Hands the bytes of a file of at most kMaxFileBytes to `use`; `unreadable` when it cannot. One read
// into a stack buffer covers every preference file.
template <class Result, class Use>
Result withFileBytes(const char* hostPath, bool underRoot, Result unreadable, Use&& use) {
    device::FileStatus status;
    const int fd = openDeviceFile(hostPath, underRoot, status);
    if (fd < 0) return unreadable;
    char small[16384];
    long n = device::readAt(fd, small, sizeof small, 0, status);
    std::string big;
    if (n == static_cast<long>(sizeof small)) {
        big.assign(small, sizeof small);
        if (device::readToEnd(fd, kMaxFileBytes, big) != device::FileStatus::Read) n = -1;
    }
    ::close(fd);
    if (n < 0) return unreadable;
    return use(big.empty() ? std::string_view(small, static_cast<size_t>(n)) : std::string_view(big));
}

std::unique_ptr<DictionaryIndex> index(std::string_view bytes) {
    if (!fits(bytes)) return nullptr;
    return binary::claims(bytes) ? binary::index(bytes) : xml::index(bytes);
}

// The hooks read the same file on every call, and it rarely changes between two reads: each thread
// keeps the last file that read as a dictionary, and bytes equal to it give that same immutable
// dictionary again, with the values already asked of it. Equal bytes give equal answers, so nothing
// kept can go stale. It stays on its thread, whose retains and releases are not atomic.
class LastDictionary {
public:
    Ref<NSDictionary> read(std::string_view bytes) {
        if (dictionary_ && bytes == bytes_) return dictionary_;
        auto checked = index(bytes);
        if (!checked) return nullptr;
        auto dictionary = make<NSDictionary>(std::unique_ptr<NSDictionary::Contents>(std::move(checked)));
        if (bytes.size() <= kMostKept) {
            bytes_.assign(bytes);
            dictionary_ = dictionary;
        }
        return dictionary;
    }

private:
    static constexpr size_t kMostKept = 16384;  // a preference file, not any file a program reads
    std::string bytes_;
    Ref<NSDictionary> dictionary_;
};

// The read the product sends: the file is checked whole, its values made one by one when asked for.
Ref<NSDictionary> readDictionary(std::string_view devicePath) {
    static thread_local LastDictionary last;
    const device::HostPath hostPath(devicePath);  // no allocation: the hooks read on every call
    return withFileBytes(hostPath.c_str(), hostPath.underRoot(), Ref<NSDictionary>(),
                         [](std::string_view bytes) { return last.read(bytes); });
}

}  // namespace

Ref<NSObject> parse(std::string_view bytes, std::string* problem) {
    if (!fits(bytes)) {
        if (problem) *problem = bytes.empty() ? "empty" : "larger than " + std::to_string(kMaxFileBytes) + " bytes";
        return nullptr;
    }
    if (!binary::claims(bytes)) return xml::parse(bytes, problem);
    Ref<NSObject> root = binary::parse(bytes);
    if (!root && problem)
        *problem = "a binary property list that breaks the format's rules";
    return root;
}

Ref<NSObject> parseBinary(std::string_view bytes) { return fits(bytes) ? binary::parse(bytes) : nullptr; }

Ref<NSObject> parseXML(std::string_view bytes) { return fits(bytes) ? xml::parse(bytes) : nullptr; }

Ref<NSObject> readFile(const std::string& hostPath, std::string* problem) {
    if (problem) *problem = "missing, unreadable or not a regular file";
    return withFileBytes(hostPath.c_str(), device::isUnderRoot(hostPath.c_str()), Ref<NSObject>(), [&](std::string_view bytes) { return parse(bytes, problem); });
}

Ref<NSObject> Found::toObject() const {
    if (number) return make<NSNumber>(*number);
    return object;
}

bool dictionaryValues(std::string_view bytes, std::span<const std::string_view> keys, std::span<Ref<NSObject>> values) {
    const auto checked = index(bytes);
    if (!checked) return false;
    for (size_t k = 0; k < keys.size(); ++k) values[k] = checked->find(keys[k]);
    return true;
}

}  // namespace plist

namespace {

// The dictionary at the top of the property-list file at a host path, autoreleased; nil for any
// other file.
id dictionaryAt(const std::string& hostPath) {
    return objc::autorelease(Ref<NSDictionary>(objc_cast<NSDictionary>(plist::readFile(hostPath))));
}

}  // namespace

// How Foundation's classes read property-list files: Foundation cannot link this library, which
// makes its objects, so the reading joins NSDictionary as a category when the library is loaded.
OBJC_CATEGORY(NSDictionary, PropertyListFiles,
              // A path as the device's programs name files, under the device root.
              objc::classMethod("dictionaryWithContentsOfFile:", [](id, SEL, id path) -> id {
                  auto* text = objc_cast<NSString>(path);
                  return text ? objc::autorelease(plist::readDictionary(text->str())) : nullptr;
              }),
              // A path of this machine, as a bundle names its own files.
              objc::classMethod("dictionaryWithContentsOfHostFile:", [](id, SEL, id path) -> id {
                  auto* text = objc_cast<NSString>(path);
                  return text ? dictionaryAt(text->str()) : nullptr;
              }))
