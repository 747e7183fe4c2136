// Writing stays with libplist, which writes both encodings soundly given valid values.

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
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

// The first and the last second an XML date can name (years 0001 to 9999), from 2001.
constexpr double kFirstXMLDate = -63113904000.0;
constexpr double kEndOfXMLDates = 252423993600.0;

// A date node holding the seconds exactly, as Apple's binary files do (a 64-bit real). libplist's
// own constructor takes 32-bit seconds, which would leave dates before 1901 or after 2038 (valid
// on a phone) unwritable, so the node comes from a one-object binary file made here.
plist_t dateNode(double seconds) {
    unsigned char file[8 + 9 + 1 + 32] = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0x33};
    uint64_t bits;
    std::memcpy(&bits, &seconds, sizeof bits);
    for (int i = 0; i < 8; ++i) file[9 + i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
    file[17] = 8;  // the offset table: the one object, at byte 8
    unsigned char* trailer = file + 18;
    trailer[6] = 1;   // offset size
    trailer[7] = 1;   // object reference size
    trailer[15] = 1;  // one object, the top one (object 0)
    trailer[31] = 17; // where the offset table starts
    plist_t node = nullptr;
    plist_from_bin(reinterpret_cast<const char*>(file), sizeof file, &node);
    return node;
}

// Whether every date in the tree has a year XML can write.
bool datesFitXML(const NSObject* obj) {
    if (auto* d = objc_cast<NSDate>(obj)) {
        const double t = d->timeIntervalSinceReferenceDate();
        return t >= kFirstXMLDate && t < kEndOfXMLDates;
    }
    if (auto* a = objc_cast<NSArray>(obj)) {
        for (const auto& item : *a)
            if (!datesFitXML(item)) return false;
    }
    if (auto* d = objc_cast<NSDictionary>(obj)) {
        for (const auto& [key, value] : *d)
            if (!datesFitXML(value)) return false;
    }
    return true;
}

// libplist writes a year before 1000 with fewer than four digits; ISO 8601 (and every reader of
// plists) wants four. "<date>" appears in the text only as the element: a string's '<' is escaped.
std::string withFourDigitYears(std::string xml) {
    constexpr std::string_view kOpen = "<date>";
    for (size_t at = xml.find(kOpen); at != std::string::npos; at = xml.find(kOpen, at + kOpen.size())) {
        const size_t year = at + kOpen.size();
        const size_t dash = xml.find('-', year);
        if (dash != std::string::npos && dash - year < 4) xml.insert(year, 4 - (dash - year), '0');
    }
    return xml;
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
    if (auto* d = objc_cast<NSDate>(obj)) return dateNode(d->timeIntervalSinceReferenceDate());
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
    if (!root || (format == Format::XML && !datesFitXML(root))) return std::nullopt;
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
    if (format == Format::XML) return withFourDigitYears(std::move(bytes));
    return bytes;
}

}  // namespace plist
