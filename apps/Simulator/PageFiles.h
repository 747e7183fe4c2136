#pragma once
// The device page's files (HTML, CSS, JavaScript), built into the program.

#include <optional>
#include <string_view>
#include <vector>

namespace simulator {

struct PageFile {
    std::string_view name;   // "index.html"
    std::string_view bytes;
};

const std::vector<PageFile>& embeddedPageFiles();

struct ServedFile {
    std::string_view bytes;
    const char* contentType;
};

// The file served at a request path ("/" is index.html, "/favicon.ico" the icon); nothing for any other path. Paths are
// looked up in the built-in list by name, never on disk.
std::optional<ServedFile> pageFileAt(std::string_view path);

}  // namespace simulator
