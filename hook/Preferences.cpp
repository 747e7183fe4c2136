#include "Preferences.h"

#include <array>
#include <string_view>

#include "Foundation/NSString.h"
#include "Foundation/PropertyList.h"
#include "device/DevicePath.h"

namespace corvane {
namespace {

// The pane only ever writes numbers (booleans and integers), which the read hands over without
// making an object. A string still gets Foundation's string reading, as a hand-edited file would on
// the device; data, dates, arrays and dictionaries have no numeric reading and count as absent.
template <class T>
void readValue(const plist::Found& found, T& out) {
    if (found.number) {
        if constexpr (std::is_same_v<T, bool>) out = found.number->boolValue();
        else out = found.number->intValue();
    } else if (auto* s = objc_cast<NSString>(found.object.get())) {
        if constexpr (std::is_same_v<T, bool>) out = s->boolValue();
        else out = s->intValue();
    }
}

// The hooks remember two values at a time.
constexpr size_t kMostRemembered = 4;

}  // namespace

bool GetPrefBool(const char* key) {
    const std::string_view wanted = key;
    plist::Found stored;
    bool value = false;
    if (plist::readDictionaryEntries(device::HostPath(kPreferencesPath).c_str(), {&wanted, 1}, {&stored, 1}))
        readValue(stored, value);
    return value;
}

void Remember(std::initializer_list<Remembered> values) {
    std::array<std::string_view, kMostRemembered> keys;
    std::array<plist::Found, kMostRemembered> stored;
    const size_t n = std::min(values.size(), kMostRemembered);
    for (size_t i = 0; i < n; ++i) keys[i] = values.begin()[i].key;
    if (!plist::readDictionaryEntries(device::HostPath(kPreferencesPath).c_str(), {keys.data(), n}, {stored.data(), n}))
        return;
    for (size_t i = 0; i < n; ++i)
        std::visit([&](auto* remembered) { readValue(stored[i], *remembered); }, values.begin()[i].value);
}

}  // namespace corvane
