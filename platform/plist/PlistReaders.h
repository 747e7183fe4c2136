#pragma once
// The two encodings' readers behind plist::parse. Each gives the same answers on the same content:
// a value tree, or nothing when any part of the input breaks a rule; a key given twice in a
// dictionary means its last value.

#include <span>
#include <string>
#include <string_view>

#include "plist/PropertyList.h"

namespace plist {

namespace binary {
// Whether the bytes claim to be a binary property list (and so are read as nothing else).
bool claims(std::string_view bytes);
Ref<NSObject> parse(std::string_view bytes);
// Checks the whole input as parse does, then reads only the values of `keys` in the dictionary at
// the top. False, `found` untouched, when parse would give no dictionary.
bool lookup(std::string_view bytes, std::span<const std::string_view> keys, std::span<Found> found);
}  // namespace binary

namespace xml {
// `problem`, when given, says which rule a refused document broke and on which line.
Ref<NSObject> parse(std::string_view bytes, std::string* problem = nullptr);
bool lookup(std::string_view bytes, std::span<const std::string_view> keys, std::span<Found> found);
}  // namespace xml

}  // namespace plist
