#include "Preferences.h"

#include "CoreFoundation/CoreFoundation.h"
#include "bridge/Bridge.h"

namespace corvane {
namespace {

// Each read runs in a pool of its own, so the file's dictionary is gone when the read returns, however
// long the Phone app goes without draining its own.
class Pool {
public:
    Pool() : token_(objc_autoreleasePoolPush()) {}
    ~Pool() { objc_autoreleasePoolPop(token_); }
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

private:
    void* token_;
};

// The dictionary of the preference file at its device path; nil when there is none.
id ReadPreferences() {
    id path = (id)CFSTR("/var/mobile/Library/Preferences/com.qelmor.corvane.plist");
    return bridge::send<id>(BRIDGE_CLASS("NSDictionary"), BRIDGE_SEL("dictionaryWithContentsOfFile:"), path);
}

// The value of a key, or nil for no key.
id ValueOf(id preferences, CFStringRef key) { return bridge::send<id>(preferences, BRIDGE_SEL("objectForKey:"), (id)key); }

// The pane only ever writes numbers (booleans and integers); a string still has Foundation's
// readings, as a hand-edited file would on the device. Data, dates, arrays and dictionaries have no
// numeric reading and count as absent.
template <class T>
void ReadNumber(id value, SEL reading, T& out) {
    if (value && class_respondsToSelector(object_getClass(value), reading)) out = bridge::send<T>(value, reading);
}

}  // namespace

bool GetPrefBool(CFStringRef key) {
    Pool pool;
    bool value = false;
    if (id preferences = ReadPreferences()) ReadNumber(ValueOf(preferences, key), BRIDGE_SEL("boolValue"), value);
    return value;
}

void Remember(std::initializer_list<Remembered> values) {
    Pool pool;
    id preferences = ReadPreferences();
    if (!preferences) return;
    for (const Remembered& remembered : values) {
        id value = ValueOf(preferences, remembered.key);
        if (remembered.integer) ReadNumber(value, BRIDGE_SEL("intValue"), *remembered.integer);
        else ReadNumber(value, BRIDGE_SEL("boolValue"), *remembered.boolean);
    }
}

}  // namespace corvane
