#pragma once
// The user's languages in order of preference, as the device keeps them: the "AppleLanguages" array
// of "/var/mobile/Library/Preferences/.GlobalPreferences.plist".

#include <string>
#include <vector>

namespace device {

inline constexpr const char* kGlobalPreferencesPath = "/var/mobile/Library/Preferences/.GlobalPreferences.plist";

// Empty when the file is missing, unreadable or holds no such array; non-string entries are skipped.
std::vector<std::string> preferredLanguages();

}  // namespace device
