#pragma once
// Property-list files on plain paths: read through the platform's reader, written whole and
// atomically; a change to a file of a device's preference folder is made under the lock the
// preference store writes under, so plutil and the Settings app never lose each other's changes.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "objc/runtime.h"
#include "plist/PropertyList.h"

namespace plutil {

struct PlistFile {
    Ref<NSObject> root;
    plist::Format format = plist::Format::Binary;  // the encoding it was in
};

// Nothing, with `problem` set, when the file cannot be read or holds no property list.
std::optional<PlistFile> readPlistFile(const std::string& path, std::string& problem);

// Writes `bytes` to `path` ("-": standard output) as any tool's output is written: a regular file
// replaced atomically, a link's target replaced, a device or FIFO written in place.
bool writeOutput(const std::string& path, std::string_view bytes, std::string& problem);

// The same for a file that must not exist yet (nothing is replaced).
bool createFile(const std::string& path, std::string_view bytes, std::string& problem);

// Reads the file, lets `change` give the bytes to write in its place (nothing: leave it as it is,
// `problem` set), and writes them, all under the lock.
bool rewritePlistFile(const std::string& path,
                      const std::function<std::optional<std::string>(const PlistFile&, std::string& problem)>& change,
                      std::string& problem);

}  // namespace plutil
