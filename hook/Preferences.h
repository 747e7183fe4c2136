#pragma once
// The preference contract with the settings pane: one property list, read afresh on every call.
// Each read asks Foundation for the file's dictionary and then for its keys, so a read finds its key
// exactly when the file reads as a dictionary.

#include <initializer_list>

#include "CoreFoundation/CoreFoundation.h"

namespace corvane {

// The boolean reading of a key (a constant string, CFSTR); false for no file, no key, or a value of an unreadable kind.
bool GetPrefBool(CFStringRef key);

// A value the hooks remember between calls, and the key that replaces it.
struct Remembered {
    Remembered(CFStringRef key, int* value) : key(key), integer(value) {}
    Remembered(CFStringRef key, bool* value) : key(key), boolean(value) {}
    CFStringRef key;
    int* integer = nullptr;
    bool* boolean = nullptr;
};

// Remembered reads, one reading of the file for all the keys given: a present key replaces its
// remembered value with its reading; an absent one (or one of an unreadable kind, or no dictionary
// at all) leaves it as it was.
void Remember(std::initializer_list<Remembered> values);

}  // namespace corvane
