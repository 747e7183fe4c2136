#pragma once
// The preference contract with the settings pane: one property list, read afresh on every call.
// Each read looks its keys up in the file's bytes and makes objects of those values only; the whole
// file is still checked, so a read finds its key exactly when the file reads as a dictionary.

#include <initializer_list>
#include <variant>

namespace corvane {

inline constexpr const char* kPreferencesPath = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";

// The boolean reading of a key; false for no file, no key, or a value of an unreadable kind.
bool GetPrefBool(const char* key);

// A value the hooks remember between calls, and the key that replaces it.
struct Remembered {
    const char* key;
    std::variant<int*, bool*> value;
};

// Remembered reads, one reading of the file for all the keys given: a present key replaces its
// remembered value with its reading; an absent one (or one of an unreadable kind, or no dictionary
// at all) leaves it as it was.
void Remember(std::initializer_list<Remembered> values);

}  // namespace corvane
