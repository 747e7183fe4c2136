#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"

OBJC_IMPLEMENTATION(NSArray)
OBJC_IMPLEMENTATION(NSMutableArray)
OBJC_IMPLEMENTATION(NSDictionary, objc::method("objectForKey:", [](id self, SEL, id key) -> id {
                        auto* text = objc_cast<NSString>(key);
                        return text ? static_cast<NSDictionary*>(self)->objectForKey(text->str()) : nullptr;
                    }))
OBJC_IMPLEMENTATION(NSMutableDictionary)
OBJC_IMPLEMENTATION(NSData)
OBJC_IMPLEMENTATION(NSDate)

Ref<NSDictionary> NSDictionary::dictionaryWithObjectsAndKeys(
    std::initializer_list<std::pair<std::string, Ref<NSObject>>> entries) {
    Storage storage;
    for (const auto& [key, value] : entries)
        if (value) storage[key] = value;
    return make<NSDictionary>(std::move(storage));
}

id NSDictionary::deferredObjectForKey(std::string_view key) const {
    std::lock_guard hold(deferring_);
    Contents* contents = deferred_.load(std::memory_order_relaxed);
    auto it = entries_.find(key);
    if (it != entries_.end()) return it->second.get();
    if (!contents) return nullptr;  // made whole meanwhile, and the key is not there
    Ref<NSObject> value = contents->find(key);
    if (!value) return nullptr;
    return entries_.emplace(std::string(key), std::move(value)).first->second.get();
}

void NSDictionary::makeAll() const {
    std::lock_guard hold(deferring_);
    Contents* contents = deferred_.load(std::memory_order_relaxed);
    if (!contents) return;
    Storage all = contents->all();
    for (auto& [key, value] : entries_) all.insert_or_assign(key, std::move(value));  // those handed out stay
    entries_ = std::move(all);
    deferred_.store(nullptr, std::memory_order_release);
    delete contents;
}

void NSMutableDictionary::setObject(id value, std::string_view key) {
    if (!value) {
        removeObjectForKey(key);
        return;
    }
    auto it = entries_.find(key);
    if (it != entries_.end())
        it->second = value;
    else
        entries_.emplace(std::string(key), value);
}

void NSMutableDictionary::removeObjectForKey(std::string_view key) {
    auto it = entries_.find(key);
    if (it != entries_.end()) entries_.erase(it);
}
