#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "PropertyListFiles.h"
#include "device/DevicePath.h"
#include "objc/message.h"

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

Ref<NSDictionary> dictionaryFromFile(SEL classMethod, std::string_view path) {
    // A pool of its own, so that a read outside the caller's pools (a C++ caller looping) leaves
    // nothing behind.
    void* pool = objc_autoreleasePoolPush();
    Ref<NSDictionary> dictionary(objc_cast<NSDictionary>(
        objc_msgSend<id(id)>(objc_classAsObject(NSDictionary::class_()), classMethod, NSString::string(path).get())));
    objc_autoreleasePoolPop(pool);
    return dictionary;
}

// The frameworks want the whole dictionary, so they take the file made whole at once rather than the
// deferred one the product's message gives, which would check the file and then read it again.
Ref<NSDictionary> NSDictionary::dictionaryWithContentsOfFile(std::string_view devicePath) {
    return dictionaryFromFile(SELECTOR("dictionaryWithContentsOfHostFile:"), device::resolve(devicePath));
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
