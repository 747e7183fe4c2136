// The places of the Settings window that answer a finger: a program showing the picture can name
// them (for a screen reader, say) and find them.

#include <cstdio>

#include "Session.h"
#include "WindowTargets.h"
#include "device/JSON.h"

namespace settings {

std::optional<std::string> Session::targets() {
    UIWindow* window = fittedWindow();
    json::Writer out;
    const CGSize size = window->bounds().size;
    out.beginObject().key("width").number(size.width).key("height").number(size.height);
    out.key("targets").beginArray();
    for (const Target& target : windowTargets(window, navigation_)) {
        out.beginObject().key("kind").string(target.kind).key("label").string(target.label);
        out.key("x").number(target.frame.origin.x).key("y").number(target.frame.origin.y);
        out.key("width").number(target.frame.size.width).key("height").number(target.frame.size.height);
        out.endObject();
    }
    out.endArray().endObject();
    std::fputs(out.str().c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return std::nullopt;
}

}  // namespace settings
