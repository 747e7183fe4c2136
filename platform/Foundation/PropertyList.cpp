#include "Foundation/PropertyList.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "Foundation/DevicePath.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"

namespace plist {
namespace {

struct PlistFree {
    void operator()(plist_t p) const { plist_free(p); }
};
using Owned = std::unique_ptr<void, PlistFree>;

Ref<NSObject> fromNode(plist_t node) {
    switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            uint8_t v = 0;
            plist_get_bool_val(node, &v);
            return NSNumber::numberWithBool(v != 0);
        }
        case PLIST_UINT: {
            uint64_t v = 0;
            plist_get_uint_val(node, &v);
            // libplist keeps signed integers as their two's-complement bit pattern.
            return NSNumber::numberWithInteger(static_cast<long long>(v));
        }
        case PLIST_REAL: {
            double v = 0;
            plist_get_real_val(node, &v);
            return NSNumber::numberWithDouble(v);
        }
        case PLIST_STRING: {
            char* s = nullptr;
            plist_get_string_val(node, &s);
            auto out = NSString::string(s ? s : "");
            std::free(s);
            return out;
        }
        case PLIST_DATA: {
            char* bytes = nullptr;
            uint64_t len = 0;
            plist_get_data_val(node, &bytes, &len);
            auto out = make<NSData>(std::string(bytes ? bytes : "", bytes ? len : 0));
            std::free(bytes);
            return out;
        }
        case PLIST_DATE: {
            int32_t sec = 0, usec = 0;
            plist_get_date_val(node, &sec, &usec);
            return make<NSDate>(sec + usec / 1e6);
        }
        case PLIST_ARRAY: {
            std::vector<Ref<NSObject>> items;
            const uint32_t n = plist_array_get_size(node);
            items.reserve(n);
            for (uint32_t i = 0; i < n; ++i) {
                auto item = fromNode(plist_array_get_item(node, i));
                if (!item) return nullptr;
                items.push_back(std::move(item));
            }
            return make<NSArray>(std::move(items));
        }
        case PLIST_DICT: {
            NSDictionary::Storage entries;
            plist_dict_iter it = nullptr;
            plist_dict_new_iter(node, &it);
            bool ok = true;
            for (;;) {
                char* key = nullptr;
                plist_t value = nullptr;
                plist_dict_next_item(node, it, &key, &value);
                if (!value) {
                    std::free(key);
                    break;
                }
                auto obj = fromNode(value);
                if (!obj || !key) ok = false;
                if (ok) entries[key] = std::move(obj);
                std::free(key);
                if (!ok) break;
            }
            std::free(it);
            if (!ok) return nullptr;
            return make<NSDictionary>(std::move(entries));
        }
        default:  // keys, UIDs and nulls have no Foundation counterpart here
            return nullptr;
    }
}

plist_t toNode(const NSObject* obj) {
    if (auto* s = objc_cast<NSString>(obj)) return plist_new_string(s->UTF8String());
    if (auto* n = objc_cast<NSNumber>(obj)) {
        switch (n->kind()) {
            case NSNumber::Kind::Boolean: return plist_new_bool(n->boolValue());
            case NSNumber::Kind::Integer: return plist_new_uint(static_cast<uint64_t>(n->longLongValue()));
            case NSNumber::Kind::Real: return plist_new_real(n->doubleValue());
        }
    }
    if (auto* d = objc_cast<NSData>(obj)) return plist_new_data(d->bytes().data(), d->bytes().size());
    if (auto* d = objc_cast<NSDate>(obj)) {
        const double t = d->timeIntervalSinceReferenceDate();
        const auto sec = static_cast<int32_t>(t);
        return plist_new_date(sec, static_cast<int32_t>((t - sec) * 1e6));
    }
    if (auto* a = objc_cast<NSArray>(obj)) {
        plist_t node = plist_new_array();
        for (const auto& item : *a) {
            plist_t child = toNode(item);
            if (!child) {
                plist_free(node);
                return nullptr;
            }
            plist_array_append_item(node, child);
        }
        return node;
    }
    if (auto* d = objc_cast<NSDictionary>(obj)) {
        plist_t node = plist_new_dict();
        for (const auto& [key, value] : *d) {
            plist_t child = toNode(value);
            if (!child) {
                plist_free(node);
                return nullptr;
            }
            plist_dict_set_item(node, key.c_str(), child);
        }
        return node;
    }
    return nullptr;
}

// The parsed tree of property-list bytes; empty for empty, oversized or malformed input.
Owned parseTree(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > kMaxFileBytes) return nullptr;
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    return Owned(root);
}

}  // namespace

Ref<NSObject> parse(std::string_view bytes) {
    Owned root = parseTree(bytes);
    return root ? fromNode(root.get()) : nullptr;
}

namespace {

// Reads a whole file of at most kMaxFileBytes and hands its bytes to `use`; nil when it cannot.
// One read into a stack buffer covers every preference file; larger ones read on up to the cap.
template <class Use>
Ref<NSObject> withFileBytes(const std::string& hostPath, Use&& use) {
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    char small[16384];
    std::string big;
    ssize_t n = ::read(fd, small, sizeof small);
    const size_t total = n > 0 ? static_cast<size_t>(n) : 0;
    if (n == static_cast<ssize_t>(sizeof small)) {
        big.assign(small, total);
        char chunk[65536];
        while ((n = ::read(fd, chunk, sizeof chunk)) > 0) {
            big.append(chunk, static_cast<size_t>(n));
            if (big.size() > kMaxFileBytes) break;
        }
    }
    ::close(fd);
    if (n < 0) return nullptr;
    return use(big.empty() ? std::string_view(small, total) : std::string_view(big));
}

}  // namespace

Ref<NSObject> readFile(const std::string& hostPath) {
    return withFileBytes(hostPath, [](std::string_view bytes) { return parse(bytes); });
}

Ref<NSObject> readDictionaryValue(const std::string& hostPath, std::string_view key) {
    return withFileBytes(hostPath, [key](std::string_view bytes) -> Ref<NSObject> {
        Owned root = parseTree(bytes);
        if (!root || plist_get_node_type(root.get()) != PLIST_DICT) return nullptr;
        plist_t value = plist_dict_get_item(root.get(), std::string(key).c_str());
        return value ? fromNode(value) : nullptr;
    });
}

std::optional<std::string> serialize(const NSObject* root, Format format) {
    if (!root) return std::nullopt;
    Owned node(toNode(root));
    if (!node) return std::nullopt;
    char* out = nullptr;
    uint32_t len = 0;
    if (format == Format::Binary)
        plist_to_bin(node.get(), &out, &len);
    else
        plist_to_xml(node.get(), &out, &len);
    if (!out) return std::nullopt;
    std::string bytes(out, len);
    std::free(out);
    return bytes;
}

}  // namespace plist

Ref<NSDictionary> NSDictionary::dictionaryWithContentsOfFile(std::string_view devicePath) {
    Ref<NSObject> root = plist::readFile(device::resolve(devicePath));
    return Ref<NSDictionary>(objc_cast<NSDictionary>(root));
}
