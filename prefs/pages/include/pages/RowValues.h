#pragma once
// The values of the pages' row dictionaries, spelled briefly.

#include <initializer_list>
#include <string_view>
#include <utility>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"

namespace rows {

using Entry = std::pair<std::string, Ref<NSObject>>;

inline Ref<NSObject> text(std::string_view value) { return NSString::string(value); }
inline Ref<NSObject> flag(bool value) { return NSNumber::numberWithBool(value); }
inline Ref<NSObject> integer(long long value) { return NSNumber::numberWithInteger(value); }

inline Ref<NSDictionary> row(std::initializer_list<Entry> entries) {
    return NSDictionary::dictionaryWithObjectsAndKeys(entries);
}

// A group dictionary holding only its cell: an untitled group.
inline Ref<NSDictionary> untitledGroup() { return row({{"cell", text("PSGroupCell")}}); }

}  // namespace rows
