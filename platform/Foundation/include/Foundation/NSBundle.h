#pragma once
// A bundle: a directory holding a program's code and resources. Bundles are unique per directory
// and live for the whole process; their Info.plist and strings tables are read once, on first use,
// as installed bundles do not change while loaded.
//
// Localised resources live in "<language>.lproj" subdirectories. The localisation a bundle uses is
// the first of the device's preferred languages it has ("pt-BR" also matches "pt"), else "en", else
// "Base".

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "objc/runtime.h"

class NSBundle : public NSObject {
    OBJC_INTERFACE(NSBundle, NSObject)

public:
    // The bundle of a directory of this machine's file system (a device path goes through
    // device::resolve first); nil when it is not a directory.
    static NSBundle* bundleWithPath(std::string_view path);
    // The directory of the shared object whose code defines the class; nil for a nil class.
    static NSBundle* bundleForClass(Class cls);
    // The directory of the running executable.
    static NSBundle* mainBundle();

    // Canonical: symbolic links resolved, no trailing slash.
    const std::string& bundlePath() const { return path_; }

    // The file "<name>.<type>" (just "<name>" when the type is empty) at the bundle's top level, else in
    // the localisation's directory; nullopt when there is none. Names leaving the bundle are refused.
    std::optional<std::string> pathForResource(std::string_view name, std::string_view type = {}) const;

    // Info.plist at the bundle's top level, in either encoding; empty (never nil) when missing.
    NSDictionary* infoDictionary() const;
    id objectForInfoDictionaryKey(std::string_view key) const { return infoDictionary()->objectForKey(key); }

    // The names of the bundle's "*.lproj" directories, sorted.
    const std::vector<std::string>& localizations() const;
    // The localisation lookups use now; nullopt when the bundle has none that fits.
    std::optional<std::string> preferredLocalization() const;

    // The text of `key` in the strings table `table` (nil: "Localizable") of the localisation: the
    // file "<table>.strings" in the localisation's directory, else at the top level, a property-list
    // dictionary in either encoding. A key the table lacks gives `value` when non-empty, else the key.
    Ref<NSString> localizedStringForKey(const NSString* key, const NSString* value, const NSString* table) const;
    std::string localizedString(std::string_view key, std::string_view value = {}, std::string_view table = {}) const;

private:
    explicit NSBundle(std::string path) : path_(std::move(path)) {}
    // The table's text for the key; nil when the table or the key is missing.
    NSString* tableEntry(std::string_view key, std::string_view table) const;
    // The table's entries; nil when it is missing or unreadable.
    NSDictionary* stringsTable(std::string_view table, const std::optional<std::string>& localization) const;
    // The dictionary of a property-list file in the bundle; a file that exists but is no dictionary
    // is logged once and reads as missing.
    Ref<NSDictionary> readDictionary(const std::string& relativePath) const;

    std::string path_;
    mutable std::mutex lock_;
    mutable std::optional<Ref<NSDictionary>> info_;
    mutable std::optional<std::vector<std::string>> localizations_;
    mutable std::map<std::pair<std::string, std::string>, Ref<NSDictionary>, std::less<>> tables_;
};
