#include "Foundation/NSLocale.h"

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "device/DevicePath.h"

OBJC_IMPLEMENTATION(NSLocale)

// Read afresh on every call: the file is small, and no cache can tell an in-place rewrite within
// one timestamp tick from no change at all.
Ref<NSArray> NSLocale::preferredLanguages() {
    auto languages = make<NSMutableArray>();
    auto prefs = NSDictionary::dictionaryWithContentsOfFile(device::kGlobalPreferencesPath);
    auto* list = prefs ? objc_cast<NSArray>(prefs->objectForKey("AppleLanguages")) : nullptr;
    if (!list) return languages;
    for (const auto& item : *list)
        if (auto* language = objc_cast<NSString>(item.get()); language && language->length() > 0)
            languages->addObject(language);
    return languages;
}
