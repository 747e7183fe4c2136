// A finger on the Settings screen: the layout that draws the screen says what is under the point,
// and the session does what a tap there does, through the same operations as the named commands.

#include <cstdio>

#include "ScreenLayout.h"
#include "Session.h"
#include "device/JSON.h"

namespace settings {
namespace {

const char* actionName(FingerAction action) {
    switch (action) {
        case FingerAction::None: return "none";
        case FingerAction::TapRow: return "tapRow";
        case FingerAction::Back: return "back";
        case FingerAction::Heart: return "heart";
        case FingerAction::CloseSheet: return "closeSheet";
        case FingerAction::CancelMail: return "cancelMail";
        case FingerAction::SendMail: return "sendMail";
    }
    return "none";
}

// One event line: where the finger went and what it found there (null for nothing).
void reportTouch(CGPoint point, const Target* target) {
    json::Writer out;
    out.beginObject().key("event").string("touched").key("x").number(point.x).key("y").number(point.y).key("target");
    if (target) {
        out.beginObject().key("kind").string(target->kind).key("label").string(target->label);
        out.key("action").string(actionName(target->action));
        if (target->action == FingerAction::TapRow) out.key("row").integer(static_cast<long long>(target->row));
        out.endObject();
    } else {
        out.null();
    }
    out.endObject();
    std::fputs(out.str().c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

std::optional<std::string> Session::touch(const std::string& where) {
    const auto point = parseTouchPoint(where);
    if (!point) return "'" + where + "' is not a point: give X and Y in points, as in 'touch 160 300'";
    const ScreenSummary screen = summarizeScreen(navigation_);
    const ScreenLayout layout = layoutScreen(screen);
    if (point->x < 0 || point->y < 0 || point->x >= layout.size.width || point->y >= layout.size.height) {
        char size[64];
        std::snprintf(size, sizeof size, "%g x %g", layout.size.width, layout.size.height);
        return "'" + where + "' is off the screen, which is " + size + " points";
    }
    const Target* found = layout.targetAt(*point);
    reportTouch(*point, found);
    if (!found) return std::nullopt;
    switch (found->action) {
        case FingerAction::None: return std::nullopt;
        case FingerAction::TapRow: return tap(Command{Verb::Tap, "", found->row});
        case FingerAction::Back:
        case FingerAction::CloseSheet: return back();
        case FingerAction::Heart: return heart();
        case FingerAction::CancelMail: return finishMail("cancelled");
        case FingerAction::SendMail: return finishMail("sent");
    }
    return std::nullopt;
}

}  // namespace settings
