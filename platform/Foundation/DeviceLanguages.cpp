#include "Foundation/DeviceLanguages.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "device/DevicePath.h"

namespace device {

// Read afresh on every call: the file is small, and no cache can tell an in-place rewrite within
// one timestamp tick from no change at all.
std::vector<std::string> preferredLanguages() {
    std::vector<std::string> languages;
    auto prefs = NSDictionary::dictionaryWithContentsOfFile(kGlobalPreferencesPath);
    auto* list = prefs ? objc_cast<NSArray>(prefs->objectForKey("AppleLanguages")) : nullptr;
    if (!list) return languages;
    for (const auto& item : *list)
        if (auto* language = objc_cast<NSString>(item.get()); language && language->length() > 0)
            languages.push_back(language->str());
    return languages;
}

}  // namespace device
