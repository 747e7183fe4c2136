#pragma once
// String-keyed dictionaries. Enumeration is in key order, so what a dictionary yields never
// depends on hashing.

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "objc/runtime.h"

class NSDictionary : public NSObject {
    OBJC_INTERFACE(NSDictionary, NSObject)

public:
    using Storage = std::map<std::string, Ref<NSObject>, std::less<>>;

    NSDictionary() = default;
    explicit NSDictionary(Storage entries) : entries_(std::move(entries)) {}
    static Ref<NSDictionary> dictionaryWithObjectsAndKeys(std::initializer_list<std::pair<std::string, Ref<NSObject>>> entries);
    // The dictionary at the top of a property-list file (binary or XML) at a device path; nil when
    // the file is missing, unreadable, malformed, too large or not a dictionary.
    static Ref<NSDictionary> dictionaryWithContentsOfFile(std::string_view devicePath);

    size_t count() const { return entries_.size(); }
    id objectForKey(std::string_view key) const {
        auto it = entries_.find(key);
        return it == entries_.end() ? nullptr : it->second.get();
    }
    id valueForKey(std::string_view key) const { return objectForKey(key); }
    const Storage& entries() const { return entries_; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

protected:
    Storage entries_;
};

class NSMutableDictionary : public NSDictionary {
    OBJC_INTERFACE(NSMutableDictionary, NSDictionary)

public:
    NSMutableDictionary() = default;
    explicit NSMutableDictionary(Storage entries) : NSDictionary(std::move(entries)) {}
    // A nil value removes the key, so a dictionary never holds an empty value.
    void setObject(id value, std::string_view key);
    void removeObjectForKey(std::string_view key);
};
