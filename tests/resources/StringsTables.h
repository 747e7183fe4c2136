#pragma once
// The bundle's strings tables as plain maps, read the way the device reads them.

#include <map>
#include <optional>
#include <string>

using StringsTable = std::map<std::string, std::string>;

// The table at a host path; nullopt when the file is not a property-list dictionary of strings.
std::optional<StringsTable> readStringsTable(const std::string& path);
// The staged table of one language ("en", "de") in the bundle.
std::string stagedTablePath(const std::string& language);
// Its source in the tree.
std::string sourceTablePath(const std::string& language);
