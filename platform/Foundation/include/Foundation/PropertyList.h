#pragma once
// Property lists in both encodings, through libplist. Values map to NSDictionary, NSArray,
// NSString, NSNumber (boolean, integer, real), NSData and NSDate.

#include <optional>
#include <string>
#include <string_view>

#include "objc/runtime.h"

namespace plist {

// Anything larger is refused before parsing: preference files and strings tables are small, and
// the parser is not safe on arbitrarily deep input.
inline constexpr size_t kMaxFileBytes = 1 << 20;

// The top-level value of a property list in either encoding; nil for empty or malformed input.
Ref<NSObject> parse(std::string_view bytes);
// The top-level value of the property-list file at a host path; nil for a missing, unreadable,
// oversized or malformed file.
Ref<NSObject> readFile(const std::string& hostPath);

// One value of the dictionary at the top of a property-list file: the whole file is parsed and
// checked, but only that value becomes an object. Nil for a missing key or anything readFile refuses,
// and when the top level is not a dictionary.
Ref<NSObject> readDictionaryValue(const std::string& hostPath, std::string_view key);

enum class Format { Binary, XML };
// The encoded form of a value tree; nullopt when the tree holds something a property list cannot.
std::optional<std::string> serialize(const NSObject* root, Format format);

}  // namespace plist
