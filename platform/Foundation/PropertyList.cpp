#include "Foundation/PropertyList.h"

#include <fcntl.h>
#include <unistd.h>

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
Result withFileBytes(const std::string& hostPath, Result unreadable, Use&& use) {
    device::FileStatus status;
    const int fd = device::openForReading(AT_FDCWD, hostPath.c_str(), status);
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

bool lookup(std::string_view bytes, std::span<const std::string_view> keys, std::span<Ref<NSObject>> values) {
    if (!fits(bytes)) return false;
    return binary::claims(bytes) ? binary::lookup(bytes, keys, values) : xml::lookup(bytes, keys, values);
}

}  // namespace

Ref<NSObject> parse(std::string_view bytes) {
    if (!fits(bytes)) return nullptr;
    return binary::claims(bytes) ? binary::parse(bytes) : xml::parse(bytes);
}

Ref<NSObject> parseBinary(std::string_view bytes) { return fits(bytes) ? binary::parse(bytes) : nullptr; }

Ref<NSObject> parseXML(std::string_view bytes) { return fits(bytes) ? xml::parse(bytes) : nullptr; }

Ref<NSObject> readFile(const std::string& hostPath) {
    return withFileBytes(hostPath, Ref<NSObject>(), [](std::string_view bytes) { return parse(bytes); });
}

bool readDictionaryValues(const std::string& hostPath, std::span<const std::string_view> keys,
                          std::span<Ref<NSObject>> values) {
    return withFileBytes(hostPath, false, [&](std::string_view bytes) { return lookup(bytes, keys, values); });
}

Ref<NSObject> readDictionaryValue(const std::string& hostPath, std::string_view key) {
    Ref<NSObject> value;
    readDictionaryValues(hostPath, {&key, 1}, {&value, 1});
    return value;
}

bool dictionaryValues(std::string_view bytes, std::span<const std::string_view> keys, std::span<Ref<NSObject>> values) {
    return lookup(bytes, keys, values);
}

}  // namespace plist

Ref<NSDictionary> NSDictionary::dictionaryWithContentsOfFile(std::string_view devicePath) {
    Ref<NSObject> root = plist::readFile(device::resolve(devicePath));
    return Ref<NSDictionary>(objc_cast<NSDictionary>(root));
}
