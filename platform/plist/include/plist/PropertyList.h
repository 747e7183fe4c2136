#pragma once
// Property lists in both encodings. Values map to NSDictionary, NSArray, NSString, NSNumber
// (boolean, integer, real), NSData and NSDate.
//
// Reading is bounded whatever the bytes: a value, or nil for "unreadable", in time and memory linear
// in the input. Unreadable are: input over the size cap, nesting deeper than kMaxNesting, a binary
// cycle or any count, offset or reference outside the input, a string that is not valid Unicode or
// holds U+0000, an integer outside 64 bits, and values with no counterpart here (binary null, UID).
// A key given twice in a dictionary means its last value, in both encodings and for every reader.
// Writing goes through libplist.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "Foundation/NSNumber.h"
#include "objc/runtime.h"

namespace plist {

// Anything larger is refused before parsing: preference files and strings tables are small.
inline constexpr size_t kMaxFileBytes = 1 << 20;
// Deeper nesting reads as unreadable: arrays and dictionaries inside one another, the outermost counted.
inline constexpr size_t kMaxNesting = 512;

// The top-level value of a property list in either encoding ("bplist" at the start means binary);
// nil for empty, oversized or unreadable input, and then `problem` (when given) says why, with the
// line for XML ("missing value for key 'b' at line 4").
Ref<NSObject> parse(std::string_view bytes, std::string* problem = nullptr);
// One encoding only.
Ref<NSObject> parseBinary(std::string_view bytes);
Ref<NSObject> parseXML(std::string_view bytes);

// The top-level value of the property-list file at a host path; nil for a missing, unreadable,
// oversized or malformed file, and for anything but a regular file (opened without blocking);
// `problem` as for parse.
Ref<NSObject> readFile(const std::string& hostPath, std::string* problem = nullptr);

// One value of the dictionary at the top of a property list, found by key: a number as a plain value
// (the hooks read on every call, and a number needs no object), any other kind as its object;
// neither for an absent key.
struct Found {
    std::optional<NumberValue> number;
    Ref<NSObject> object;
    // The value as an object either way; nil for an absent key.
    Ref<NSObject> toObject() const;
};

// The values of `keys` in the dictionary at the top of a property list, without making objects of
// the rest, as +[NSDictionary dictionaryWithContentsOfFile:] reads a file: the whole input is still
// checked, so these agree with parse on every input. Nil for an absent key; false, `values`
// untouched, when parse would give no dictionary.
bool dictionaryValues(std::string_view bytes, std::span<const std::string_view> keys, std::span<Ref<NSObject>> values);

// Whether two value trees are the same property list: same kinds, same contents (reals compared
// bit for bit, so NaN equals itself).
bool sameValue(const NSObject* a, const NSObject* b);

enum class Format { Binary, XML };
// The encoded form of a value tree; nullopt when the tree holds something a property list cannot.
std::optional<std::string> serialize(const NSObject* root, Format format);

}  // namespace plist
