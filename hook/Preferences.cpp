#include "Preferences.h"

#include <array>
#include <string_view>

#include "Foundation/DevicePath.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyList.h"

namespace corvane {
namespace {

// The pane only ever writes numbers (booleans and integers). A string still gets Foundation's string
// reading, as a hand-edited file would on the device; data, dates, arrays and dictionaries have no
// numeric reading and count as absent.
template <class T>
void readValue(const NSObject* value, T& out) {
    if (auto* n = objc_cast<NSNumber>(value)) {
        if constexpr (std::is_same_v<T, bool>) out = n->boolValue();
        else out = n->intValue();
    } else if (auto* s = objc_cast<NSString>(value)) {
        if constexpr (std::is_same_v<T, bool>) out = s->boolValue();
        else out = s->intValue();
    }
}

// The hooks remember two values at a time.
constexpr size_t kMostRemembered = 4;

}  // namespace

bool GetPrefBool(const char* key) {
    const Ref<NSObject> stored = plist::readDictionaryValue(device::resolve(kPreferencesPath), key);
    bool value = false;
    readValue(stored.get(), value);
    return value;
}

void Remember(std::initializer_list<Remembered> values) {
    std::array<std::string_view, kMostRemembered> keys;
    std::array<Ref<NSObject>, kMostRemembered> stored;
    const size_t n = std::min(values.size(), kMostRemembered);
    for (size_t i = 0; i < n; ++i) keys[i] = values.begin()[i].key;
    if (!plist::readDictionaryValues(device::resolve(kPreferencesPath), {keys.data(), n}, {stored.data(), n})) return;
    for (size_t i = 0; i < n; ++i)
        std::visit([&](auto* remembered) { readValue(stored[i].get(), *remembered); }, values.begin()[i].value);
}

}  // namespace corvane
