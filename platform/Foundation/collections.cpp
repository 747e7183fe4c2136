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
