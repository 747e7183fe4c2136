#pragma once
// Turns a property-list source of the tree into the file the device reads, checking on the way
// what the reader on the device would otherwise silently get wrong.

#include <string>
#include <string_view>

#include "plist/PropertyList.h"

struct PlistRules {
    plist::Format format = plist::Format::XML;
    // A strings table: every value is text, and no key is empty.
    bool stringsTable = false;
};

// The encoded output for the source text `source` (read from `sourceName`, used in messages);
// empty with a one-line reason in `error` when the source is not a dictionary property list or
// breaks the rules.
std::string compilePlist(std::string_view source, const std::string& sourceName, const PlistRules& rules,
                         std::string& error);
