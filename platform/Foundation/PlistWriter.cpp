// Writing stays with libplist, which writes both encodings soundly given valid values.

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyList.h"

namespace plist {
namespace {

struct PlistFree {
    void operator()(plist_t p) const { plist_free(p); }
};
using Owned = std::unique_ptr<void, PlistFree>;

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
        // libplist keeps 32-bit seconds from 2001: a date beyond them is refused, never wrapped round.
        if (!(t > INT32_MIN - 1.0 && t < INT32_MAX + 1.0)) return nullptr;
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

}  // namespace

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
