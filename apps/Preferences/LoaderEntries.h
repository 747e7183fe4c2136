#pragma once
// The panes a device adds to Settings: the "entry" dictionaries of the property lists in
// "/Library/PreferenceLoader/Preferences/".

#include <optional>
#include <string>
#include <vector>

namespace settings {

inline constexpr const char* kLoaderEntriesDirectory = "/Library/PreferenceLoader/Preferences";
inline constexpr const char* kPreferenceBundlesDirectory = "/Library/PreferenceBundles";

struct LoaderEntry {
    std::string file;                  // the entry's property list, a device path
    std::string label;                 // the row's title in Settings
    std::string bundle;                // loaded from "/Library/PreferenceBundles/<bundle>.bundle"
    std::optional<std::string> detail;  // the root class, overriding the bundle's NSPrincipalClass
    std::optional<std::string> icon;    // a picture in that bundle

    std::string bundlePath() const { return std::string(kPreferenceBundlesDirectory) + "/" + bundle + ".bundle"; }
};

struct LoaderScan {
    std::vector<LoaderEntry> entries;  // ordered by label, case ignored
    std::vector<std::string> problems;  // one line per property list that gave no entry
};

// The entries of the current device. A missing directory gives none; an unreadable file, or one
// without an entry naming a bundle and a label, is left out and named in `problems`.
LoaderScan scanLoaderEntries();

}  // namespace settings
