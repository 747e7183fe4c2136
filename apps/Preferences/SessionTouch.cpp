// A finger on the Settings screen: the window's views say what is under the point, and the session
// does what a tap there does, through the same operations as the named commands.

#include <charconv>
#include <cmath>
#include <cstdio>

#include "Session.h"
#include "WindowTargets.h"
#include "device/JSON.h"

namespace settings {
namespace {

// Two numbers in points; nothing for any other text.
std::optional<CGPoint> parseTouchPoint(const std::string& text) {
    double values[2];
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (double& value : values) {
        while (at < end && (*at == ' ' || *at == '\t')) ++at;
        auto [stop, error] = std::from_chars(at, end, value);
        if (error != std::errc() || stop == at || !std::isfinite(value)) return std::nullopt;
        at = stop;
    }
    while (at < end && (*at == ' ' || *at == '\t')) ++at;
    if (at != end) return std::nullopt;
    return CGPointMake(values[0], values[1]);
}

// One event line: where the finger went and what it found there (null for nothing).
void reportTouch(CGPoint point, const std::optional<Target>& target) {
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
    UIWindow* window = fittedWindow();
    const CGSize screen = window->bounds().size;
    if (point->x < 0 || point->y < 0 || point->x >= screen.width || point->y >= screen.height) {
        char size[64];
        std::snprintf(size, sizeof size, "%g x %g", screen.width, screen.height);
        return "'" + where + "' is off the screen, which is " + size + " points";
    }
    const std::optional<Target> found = targetAt(window, navigation_, *point);
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
