#pragma once
// Locales: here, the user's languages as the device's settings keep them.

#include "Foundation/NSArray.h"
#include "objc/runtime.h"

class NSLocale : public NSObject {
    OBJC_INTERFACE(NSLocale, NSObject)

public:
    NSLocale() = default;

    // The user's languages in order of preference, as NSStrings: the "AppleLanguages" array of the
    // device's global preferences. Empty when the file is missing, unreadable or holds no such
    // array; entries that are not a non-empty string are skipped.
    static Ref<NSArray> preferredLanguages();
};
