// The places of the Settings screen that answer a finger, as the layout that draws the picture has
// them: a program showing the picture can name them (for a screen reader, say) and find them.

#include <cstdio>

#include "ScreenLayout.h"
#include "Session.h"
#include "device/JSON.h"

namespace settings {

std::optional<std::string> Session::targets() {
    const ScreenLayout layout = layoutScreen(summarizeScreen(navigation_));
    json::Writer out;
    out.beginObject().key("width").number(layout.size.width).key("height").number(layout.size.height);
    out.key("targets").beginArray();
    for (const Target& target : layout.targets) {
        if (target.action == FingerAction::None) continue;  // drawn, but a finger there does nothing
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
