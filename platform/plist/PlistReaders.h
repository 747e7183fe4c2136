#pragma once
// The two encodings' readers behind plist::parse. Each gives the same answers on the same content:
// a value tree, or nothing when any part of the input breaks a rule; a key given twice in a
// dictionary means its last value.

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "Foundation/NSDictionary.h"
#include "plist/PropertyList.h"

namespace plist {

// A property list checked whole, as parse checks it, whose top is a dictionary: its values are read
// by key when asked for, without making objects of the rest. It keeps what it was made from, and is
// what a dictionary read from a file holds until it is made whole.
class DictionaryIndex : public NSDictionary::Contents {
public:
    // The value of `key`, the last one when the key is given twice; false for an absent key.
    virtual bool find(std::string_view key, Found& found) const = 0;
    // The whole dictionary, as parse gives it.
    virtual Ref<NSObject> build() const = 0;

    Ref<NSObject> find(std::string_view key) const final {
        Found found;
        return find(key, found) ? found.toObject() : nullptr;
    }
    NSDictionary::Storage all() const final { return objc_cast<NSDictionary>(build())->entries(); }
};

namespace binary {
// Whether the bytes claim to be a binary property list (and so are read as nothing else).
bool claims(std::string_view bytes);
Ref<NSObject> parse(std::string_view bytes);
// Null when parse would give no dictionary.
std::unique_ptr<DictionaryIndex> index(std::string_view bytes);
}  // namespace binary

namespace xml {
// `problem`, when given, says which rule a refused document broke and on which line.
Ref<NSObject> parse(std::string_view bytes, std::string* problem = nullptr);
std::unique_ptr<DictionaryIndex> index(std::string_view bytes);
}  // namespace xml

}  // namespace plist
