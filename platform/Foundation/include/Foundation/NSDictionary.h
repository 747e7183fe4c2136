#pragma once
// String-keyed dictionaries. Enumeration is in key order, so what a dictionary yields never
// depends on hashing.

#include <atomic>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include "objc/runtime.h"

class NSDictionary : public NSObject {
    OBJC_INTERFACE(NSDictionary, NSObject)

public:
    using Storage = std::map<std::string, Ref<NSObject>, std::less<>>;

    // Entries made only when asked for: a dictionary read from a file finds a key's value in the
    // file's checked contents and makes that value alone.
    class Contents {
    public:
        virtual ~Contents() = default;
        // The value of `key`; nil for an absent key.
        virtual Ref<NSObject> find(std::string_view key) const = 0;
        virtual Storage all() const = 0;
    };

    NSDictionary() = default;
    explicit NSDictionary(Storage entries) : entries_(std::move(entries)) {}
    explicit NSDictionary(std::unique_ptr<Contents> contents) : deferred_(contents.release()) {}
    ~NSDictionary() override { delete deferred_.load(std::memory_order_relaxed); }
    static Ref<NSDictionary> dictionaryWithObjectsAndKeys(std::initializer_list<std::pair<std::string, Ref<NSObject>>> entries);
    // The dictionary at the top of a property-list file (binary or XML) at a device path; nil when
    // the file is missing, unreadable, malformed, too large or not a dictionary.
    static Ref<NSDictionary> dictionaryWithContentsOfFile(std::string_view devicePath);

    size_t count() const { return storage().size(); }
    id objectForKey(std::string_view key) const {
        if (deferred_.load(std::memory_order_acquire)) [[unlikely]]
            return deferredObjectForKey(key);
        auto it = entries_.find(key);
        return it == entries_.end() ? nullptr : it->second.get();
    }
    id valueForKey(std::string_view key) const { return objectForKey(key); }
    const Storage& entries() const { return storage(); }
    auto begin() const { return storage().begin(); }
    auto end() const { return storage().end(); }

protected:
    mutable Storage entries_;  // filled by deferred reads too

private:
    const Storage& storage() const {
        if (deferred_.load(std::memory_order_acquire)) [[unlikely]]
            makeAll();
        return entries_;
    }
    // The values asked for so far are kept in `entries_` (so what was handed out stays valid), and
    // the rest join them when the whole dictionary is wanted; then the contents are let go.
    id deferredObjectForKey(std::string_view key) const;
    void makeAll() const;

    mutable std::atomic<Contents*> deferred_{nullptr};
    mutable std::mutex deferring_;
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
