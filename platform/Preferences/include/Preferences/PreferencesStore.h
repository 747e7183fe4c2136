#pragma once
// A preference domain's values, kept in "/var/mobile/Library/Preferences/<domain>.plist" (binary
// encoding written, either encoding read).
//
// Writes are made the way a careful daemon makes them: under an exclusive lock on "<file>.lock",
// read the current dictionary, change one key, write a temporary file beside it, fsync, rename over
// the old file, fsync the directory. A reader in another process sees the old file or the new one,
// never half of one, and writers in several processes lose none of each other's keys.
//
// A file that exists but holds no property-list dictionary is not overwritten in place: it is moved
// to "<file>.corrupt" (replacing an older such copy), one line is logged, and the domain starts
// afresh. A file that cannot be read at all is left alone and nothing is stored.
//
// A domain that is empty or holds a '/' or ".." names no file: nothing is read or stored, and one
// line is logged.

#include <functional>
#include <string>
#include <string_view>

#include "Foundation/NSDictionary.h"
#include "objc/runtime.h"

class PreferencesStore final {
public:
    PreferencesStore() = delete;

    static bool isValidDomain(std::string_view domain);
    // The device path of the domain's file; empty for an invalid domain.
    static std::string pathForDomain(std::string_view domain);

    // The stored value of the key; nil when the domain, its file or the key is missing.
    static Ref<NSObject> readPreferenceValue(std::string_view domain, std::string_view key);
    // Every stored value; an empty dictionary when none, nil for an invalid domain.
    static Ref<NSDictionary> readPreferences(std::string_view domain);

    // Stores the value under the key (a nil value removes the key). True only when the new file is
    // in place; false, with one log line, when the domain is invalid, the key empty, the value not
    // a property-list value, or the file could not be read or written; `problem`, when given, then
    // holds the reason the log line gives.
    static bool setPreferenceValue(std::string_view domain, std::string_view key, id value,
                                   std::string* problem = nullptr);

    // Runs `update` holding the lock setPreferenceValue rewrites a domain's file under, for the file
    // at a host path: a tool that edits a preference file by hand (reading it, then writing it with
    // device::writeFileAtomically inside `update`) neither loses a change the Settings app makes at
    // the same moment nor has its own lost. False, with errno set and `update` not run, when the
    // lock cannot be taken; otherwise what `update` returns.
    static bool updateFileLocked(const std::string& hostPath, const std::function<bool()>& update);

    // Whether a host directory is a device's preference folder, where the store keeps its files and
    // their locks (whichever device root it lies in).
    static bool keepsFilesIn(std::string_view hostDirectory);
};
