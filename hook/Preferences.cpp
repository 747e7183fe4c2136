#include "Preferences.h"

#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"

namespace corvane {
namespace {

// The pane only ever writes numbers (booleans and integers). A string still gets Foundation's string
// reading, as a hand-edited file would on the device; data, dates, arrays and dictionaries have no
// numeric reading and count as absent.
template <class T>
bool readValue(const NSDictionary* prefs, const char* key, T (*fromNumber)(const NSNumber&),
               T (*fromString)(const NSString&), T& out) {
    if (!prefs) return false;
    id value = prefs->objectForKey(key);
    if (auto* n = objc_cast<NSNumber>(value)) {
        out = fromNumber(*n);
        return true;
    }
    if (auto* s = objc_cast<NSString>(value)) {
        out = fromString(*s);
        return true;
    }
    return false;
}

bool numberBool(const NSNumber& n) { return n.boolValue(); }
bool stringBool(const NSString& s) { return s.boolValue(); }
int numberInt(const NSNumber& n) { return n.intValue(); }
int stringInt(const NSString& s) { return s.intValue(); }

}  // namespace

Ref<NSDictionary> LoadPreferences() { return NSDictionary::dictionaryWithContentsOfFile(kPreferencesPath); }

bool GetPrefBool(const char* key) {
    bool value = false;
    Ref<NSDictionary> prefs = LoadPreferences();
    readValue(prefs.get(), key, numberBool, stringBool, value);
    return value;
}

void RememberInt(const NSDictionary* prefs, const char* key, int& remembered) {
    readValue(prefs, key, numberInt, stringInt, remembered);
}

void RememberBool(const NSDictionary* prefs, const char* key, bool& remembered) {
    readValue(prefs, key, numberBool, stringBool, remembered);
}

}  // namespace corvane
