#pragma once
// Writing a file to a path a person named on a command line. Atomic replacement is for regular
// files only: a symbolic link is followed and its target replaced (the link stays a link), a
// device, FIFO or terminal is written in place (so "/dev/null" stays the machine's), "/dev/stdout",
// "/dev/stderr" and "/dev/fd/N" are the open streams themselves, and a directory or a socket is
// refused.

#include <string>
#include <string_view>

namespace device {

// The path with every symbolic link of its last component followed, as a writer replaces it: the
// target's path, which need not exist yet. Empty, with errno set, for a loop of links.
std::string followLinks(const std::string& path);

// What may be replaced: with a signature, an existing non-empty regular file only if it starts with
// it (a picture never replaces a property list); `name` says what such a file is ("a PNG picture").
struct Kind {
    std::string_view signature;
    std::string_view name;
};

// Writes `bytes` to `path` as above. False, with `problem` saying why, when nothing was written.
bool writeOutputFile(const std::string& path, std::string_view bytes, std::string& problem, const Kind& kind = {});

}  // namespace device
