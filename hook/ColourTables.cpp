#include "ColourTables.h"

#include "bridge/Bridge.h"

namespace corvane {
namespace {

Class ColourClass() { return BRIDGE_CLASS("UIColor"); }

// A standard colour by the name of its class method; the selectors of a table are registered once.
template <int N>
id lookup(const char* const (&names)[N], SEL (&selectors)[N], int index) {
    if (index < 1 || index > N) return nil;
    SEL sel = bridge::once(selectors[index - 1], [&] { return sel_registerName(names[index - 1]); });
    return bridge::send<id>(ColourClass(), sel);
}

constexpr const char* kBackground[] = {
    "blackColor",   "blueColor",   "brownColor",  "clearColor", "cyanColor", "darkGrayColor", "grayColor",
    "greenColor",   "lightGrayColor", "magentaColor", "orangeColor", "purpleColor", "redColor", "whiteColor",
    "yellowColor",
};
SEL backgroundSelectors[15];

// The text table is the background table without Clear.
constexpr const char* kText[] = {
    "blackColor", "blueColor",  "brownColor",  "cyanColor", "darkGrayColor", "grayColor",  "greenColor",
    "lightGrayColor", "magentaColor", "orangeColor", "purpleColor", "redColor", "whiteColor", "yellowColor",
};
SEL textSelectors[14];

}  // namespace

id BackgroundColour(int index) { return lookup(kBackground, backgroundSelectors, index); }
id TextColour(int index) { return lookup(kText, textSelectors, index); }

id ClearColour() { return bridge::send<id>(ColourClass(), BRIDGE_SEL("clearColor")); }
id BlackColour() { return bridge::send<id>(ColourClass(), BRIDGE_SEL("blackColor")); }

id MakeColour(double red, double green, double blue, double alpha) {
    return bridge::send<id>(ColourClass(), BRIDGE_SEL("colorWithRed:green:blue:alpha:"), red, green, blue, alpha);
}

}  // namespace corvane
