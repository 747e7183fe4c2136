#include "Preferences.h"

#include "Foundation/DevicePath.h"
#include "Foundation/NSNumber.h"
#include "Foundation/PropertyList.h"
#include "Foundation/NSString.h"

namespace corvane {
namespace {

// The pane only ever writes numbers (booleans and integers). A string still gets Foundation's string
// reading, as a hand-edited file would on the device; data, dates, arrays and dictionaries have no
// numeric reading and count as absent.
template <class T>
bool readValue(const NSObject* value, T (*fromNumber)(const NSNumber&), T (*fromString)(const NSString&), T& out) {
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
    // The whole file is parsed on every call; only the one value asked for becomes an object.
    const Ref<NSObject> stored = plist::readDictionaryValue(device::resolve(kPreferencesPath), key);
    bool value = false;
    readValue(stored.get(), numberBool, stringBool, value);
    return value;
}

void RememberInt(const NSDictionary* prefs, const char* key, int& remembered) {
    if (prefs) readValue(prefs->objectForKey(key), numberInt, stringInt, remembered);
}

void RememberBool(const NSDictionary* prefs, const char* key, bool& remembered) {
    if (prefs) readValue(prefs->objectForKey(key), numberBool, stringBool, remembered);
}

}  // namespace corvane
