#include "Foundation/PropertyList.h"

#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "Foundation/DevicePath.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/RegularFile.h"
#include "PlistReaders.h"

namespace plist {
namespace {

bool fits(std::string_view bytes) { return !bytes.empty() && bytes.size() <= kMaxFileBytes; }

// Hands the bytes of a file of at most kMaxFileBytes to `use`; `unreadable` when it cannot. One read
// into a stack buffer covers every preference file.
template <class Result, class Use>
Result withFileBytes(const char* hostPath, Result unreadable, Use&& use) {
    device::FileStatus status;
    const int fd = device::openForReading(AT_FDCWD, hostPath, status);
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

bool lookup(std::string_view bytes, std::span<const std::string_view> keys, std::span<Found> found) {
    if (!fits(bytes)) return false;
    return binary::claims(bytes) ? binary::lookup(bytes, keys, found) : xml::lookup(bytes, keys, found);
}

}  // namespace

Ref<NSObject> parse(std::string_view bytes) {
    if (!fits(bytes)) return nullptr;
    return binary::claims(bytes) ? binary::parse(bytes) : xml::parse(bytes);
}

Ref<NSObject> parseBinary(std::string_view bytes) { return fits(bytes) ? binary::parse(bytes) : nullptr; }

Ref<NSObject> parseXML(std::string_view bytes) { return fits(bytes) ? xml::parse(bytes) : nullptr; }

Ref<NSObject> readFile(const std::string& hostPath) {
    return withFileBytes(hostPath.c_str(), Ref<NSObject>(), [](std::string_view bytes) { return parse(bytes); });
}

Ref<NSObject> Found::toObject() const {
    if (number) return make<NSNumber>(*number);
    return object;
}

bool readDictionaryEntries(const char* hostPath, std::span<const std::string_view> keys, std::span<Found> found) {
    return withFileBytes(hostPath, false, [&](std::string_view bytes) { return lookup(bytes, keys, found); });
}

bool dictionaryValues(std::string_view bytes, std::span<const std::string_view> keys, std::span<Ref<NSObject>> values) {
    std::vector<Found> found(keys.size());
    if (!lookup(bytes, keys, found)) return false;
    for (size_t k = 0; k < keys.size(); ++k) values[k] = found[k].toObject();
    return true;
}

}  // namespace plist

Ref<NSDictionary> NSDictionary::dictionaryWithContentsOfFile(std::string_view devicePath) {
    Ref<NSObject> root = plist::readFile(device::resolve(devicePath));
    return Ref<NSDictionary>(objc_cast<NSDictionary>(root));
}
