// Writing stays with libplist, which writes both encodings soundly given valid values.

#include <plist/plist.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <memory>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "plist/PropertyList.h"

namespace plist {
namespace {

struct PlistFree {
    void operator()(plist_t p) const { plist_free(p); }
};
using Owned = std::unique_ptr<void, PlistFree>;

// The first and the last second an XML date can name (years 0001 to 9999), from 2001.
constexpr double kFirstXMLDate = -63113904000.0;
constexpr double kEndOfXMLDates = 252423993600.0;

// A node read back from a binary file of one object (a marker byte and its big-endian payload):
// libplist keeps such a node exactly as read, where its constructors cannot make it.
plist_t oneObjectNode(uint8_t marker, const unsigned char* payload, size_t size) {
    unsigned char file[8 + 17 + 1 + 32] = {'b', 'p', 'l', 'i', 's', 't', '0', '0', marker};
    std::memcpy(file + 9, payload, size);
    const size_t table = 9 + size;
    file[table] = 8;  // the offset table: the one object, at byte 8
    unsigned char* trailer = file + table + 1;
    trailer[6] = 1;   // offset size
    trailer[7] = 1;   // object reference size
    trailer[15] = 1;  // one object, the top one (object 0)
    trailer[31] = static_cast<unsigned char>(table);
    plist_t node = nullptr;
    plist_from_bin(reinterpret_cast<const char*>(file), static_cast<uint32_t>(table + 1 + 32), &node);
    return node;
}

void putBigEndian(uint64_t value, unsigned char* out) {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(value >> (56 - 8 * i));
}

// Seconds exactly, as Apple's binary files hold them (a 64-bit real): libplist's own date
// constructor takes 32-bit seconds, which would leave dates before 1901 or after 2038 (valid on a
// phone) unwritable.
plist_t dateNode(double seconds) {
    uint64_t bits;
    std::memcpy(&bits, &seconds, sizeof bits);
    unsigned char payload[8];
    putBigEndian(bits, payload);
    return oneObjectNode(0x33, payload, sizeof payload);
}

// An integer above 2^63-1 as Cocoa writes it: a 16-byte integer, which libplist then writes back
// as such in binary and as an unsigned decimal in XML.
plist_t unsignedNode(uint64_t value) {
    unsigned char payload[16] = {};
    putBigEndian(value, payload + 8);
    return oneObjectNode(0x14, payload, sizeof payload);
}

// Visits every value that holds no others, in the order the XML text writes them.
template <class Visit>
void eachLeaf(const NSObject* obj, Visit&& visit) {
    if (auto* a = objc_cast<NSArray>(obj)) {
        for (const auto& item : *a) eachLeaf(item, visit);
    } else if (auto* d = objc_cast<NSDictionary>(obj)) {
        for (const auto& [key, value] : *d) eachLeaf(value, visit);
    } else {
        visit(obj);
    }
}

// Whether every date in the tree has a year XML can write.
bool datesFitXML(const NSObject* root) {
    bool fit = true;
    eachLeaf(root, [&](const NSObject* leaf) {
        if (auto* d = objc_cast<NSDate>(leaf)) {
            const double t = d->timeIntervalSinceReferenceDate();
            fit = fit && t >= kFirstXMLDate && t < kEndOfXMLDates;
        }
    });
    return fit;
}

// The text of each element named `open` in turn, handed to `fix` to change in place. Such a tag
// appears in the text only as the element: a string's '<' is escaped.
template <class Fix>
void eachElement(std::string& xml, std::string_view open, Fix&& fix) {
    for (size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + open.size()))
        fix(at + open.size());
}

// What libplist's XML writer loses, put back: a year before 1000 has four digits in ISO 8601 (and
// in every reader), and a negative zero keeps its sign ("0.0" otherwise).
std::string touchedUp(std::string xml, const NSObject* root) {
    eachElement(xml, "<date>", [&](size_t year) {
        const size_t dash = xml.find('-', year);
        if (dash != std::string::npos && dash - year < 4) xml.insert(year, 4 - (dash - year), '0');
    });
    std::vector<bool> negativeZero;
    eachLeaf(root, [&](const NSObject* leaf) {
        auto* n = objc_cast<NSNumber>(leaf);
        if (n && n->kind() == NSNumber::Kind::Real) negativeZero.push_back(n->doubleValue() == 0 && std::signbit(n->doubleValue()));
    });
    size_t real = 0;
    eachElement(xml, "<real>", [&](size_t text) {
        if (real < negativeZero.size() && negativeZero[real++] && xml.compare(text, 3, "0.0") == 0) xml.insert(text, 1, '-');
    });
    return xml;
}

plist_t toNode(const NSObject* obj) {
    if (auto* s = objc_cast<NSString>(obj)) return plist_new_string(s->UTF8String());
    if (auto* n = objc_cast<NSNumber>(obj)) {
        switch (n->kind()) {
            case NSNumber::Kind::Boolean: return plist_new_bool(n->boolValue());
            case NSNumber::Kind::Integer:
                if (n->isUnsigned()) return unsignedNode(n->value().unsignedLongLongValue());
                return plist_new_uint(static_cast<uint64_t>(n->longLongValue()));
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
    if (format == Format::XML) return touchedUp(std::move(bytes), root);
    return bytes;
}

}  // namespace plist
