// The default setter and getter of a row: its "key" in the domain its "defaults" names.

#include "CoreFoundation/CFNotificationCenter.h"
#include "Preferences/PSListController.h"
#include "Preferences/PreferencesStore.h"
#include "StorageObservers.h"

namespace {

std::string stringProperty(const PSSpecifier* specifier, const char* key) {
    auto* text = specifier ? objc_cast<NSString>(specifier->propertyForKey(key)) : nullptr;
    return text ? text->str() : std::string();
}

}  // namespace

void PSListController::setPreferenceValue(id value, PSSpecifier* specifier) {
    const std::string domain = stringProperty(specifier, "defaults"), key = stringProperty(specifier, "key");
    // The store checks the domain and the key, and logs why it refuses either. A refused value leaves
    // the page's cells showing what is stored, not what was asked for.
    std::string problem;
    if (!PreferencesStore::setPreferenceValue(domain, key, value, &problem)) {
        preferences::reportRefused(domain, key, value, problem);
        reloadCells();
        return;
    }
    preferences::reportStored(domain, key, value);
    const std::string notification = stringProperty(specifier, "PostNotification");
    if (!notification.empty())
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                             CFStringMakeConstantString(notification), nullptr, nullptr, true);
}

namespace {

Ref<NSObject> storedValue(const PSSpecifier* specifier) {
    const std::string domain = stringProperty(specifier, "defaults"), key = stringProperty(specifier, "key");
    return key.empty() ? nullptr : PreferencesStore::readPreferenceValue(domain, key);
}

}  // namespace

Ref<NSObject> PSListController::readPreferenceValue(PSSpecifier* specifier) {
    if (!specifier) return nullptr;
    Ref<NSObject> stored = storedValue(specifier);
    return stored ? stored : Ref<NSObject>(specifier->propertyForKey("default"));
}

bool PSListController::showsDefaultValue(PSSpecifier* specifier) {
    return specifier && specifier->propertyForKey("default") && !storedValue(specifier);
}
