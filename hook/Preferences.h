#pragma once
// The preference contract with the settings pane: one property list, read afresh on every call.

#include "Foundation/NSDictionary.h"

namespace corvane {

inline constexpr const char* kPreferencesPath = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";

// The whole preference file as a dictionary; nil when it is missing or not a readable dictionary.
Ref<NSDictionary> LoadPreferences();

// The boolean reading of a key; false for no file, no key, or a value of an unreadable kind.
bool GetPrefBool(const char* key);

// Remembered reads: a present key replaces the remembered value with its reading; an absent one (or one
// of an unreadable kind, or no dictionary at all) leaves it as it was.
void RememberInt(const NSDictionary* prefs, const char* key, int& remembered);
void RememberBool(const NSDictionary* prefs, const char* key, bool& remembered);

}  // namespace corvane
