#include "PageFiles.h"

namespace simulator {
namespace {

const char* contentTypeOf(std::string_view name) {
    if (name.ends_with(".html")) return "text/html; charset=utf-8";
    if (name.ends_with(".css")) return "text/css; charset=utf-8";
    if (name.ends_with(".js")) return "text/javascript; charset=utf-8";
    if (name.ends_with(".svg")) return "image/svg+xml";
    return "application/octet-stream";
}

}  // namespace

std::optional<ServedFile> pageFileAt(std::string_view path) {
    if (path == "/") path = "/index.html";
    // Asked for by every browser whatever the page names: the page's own icon.
    if (path == "/favicon.ico") path = "/icon.svg";
    if (!path.starts_with('/')) return std::nullopt;
    path.remove_prefix(1);
    for (const PageFile& file : embeddedPageFiles())
        if (file.name == path) return ServedFile{file.bytes, contentTypeOf(file.name)};
    return std::nullopt;
}

}  // namespace simulator
