// The ten replacements, installed when the substrate loads the library into the Phone app.

#include "ColourTables.h"
#include "Preferences.h"
#include "bridge/Bridge.h"
#include "substrate/substrate.h"

using namespace corvane;

namespace {

// Process-wide state. The constructor runs before this unit's dynamic initialisers, so everything
// here is constant-initialised: plain values, and colours retained once set.
bool rememberedCallEnabled = true;
int rememberedCallIndex = 8;
int rememberedStatusBackgroundIndex = 4;
int rememberedStatusTextIndex = 1;
id rememberedStatusTextColour = nil;
id rememberedStatusBackgroundColour = nil;
id rememberedCallColour = nil;

// A keypad shape's fill when button backgrounds are off: light grey, fully transparent.
id ClearKeypadFill() { return MakeColour(239 / 255.0, 239 / 255.0, 239 / 255.0, 0.0); }

void (*previousSetApplicationIsOpaque)(id, SEL, BOOL);
void ReplacedSetApplicationIsOpaque(id self, SEL _cmd, BOOL opaque) {
    previousSetApplicationIsOpaque(self, _cmd, GetPrefBool(CFSTR("Blur")) ? opaque : YES);
}

void (*previousSetBackgroundStyle)(id, SEL, NSInteger);
void ReplacedSetBackgroundStyle(id self, SEL _cmd, NSInteger style) {
    previousSetBackgroundStyle(self, _cmd, GetPrefBool(CFSTR("Blur")) ? style : 1);
}

void (*previousSetFillColor)(id, SEL, id);
void ReplacedSetFillColor(id self, SEL _cmd, id colour) {
    if (GetPrefBool(CFSTR("ButtonColor"))) {
        previousSetFillColor(self, _cmd, colour);
        return;
    }
    previousSetFillColor(self, _cmd, ClearKeypadFill());
}

id (*previousForegroundStyle)(id, SEL);
id ReplacedForegroundStyle(id self, SEL _cmd) {
    if (GetPrefBool(CFSTR("kStatus"))) return nil;
    return previousForegroundStyle(self, _cmd);
}

id (*previousInitStatusBarAttributes)(id, SEL, id, id, id);
id ReplacedInitStatusBarAttributes(id self, SEL _cmd, id, id, id) {
    Remember({{CFSTR("bgc"), &rememberedStatusBackgroundIndex}, {CFSTR("fgc"), &rememberedStatusTextIndex}});
    if (id c = BackgroundColour(rememberedStatusBackgroundIndex)) bridge::assign(rememberedStatusBackgroundColour, c);
    if (id c = TextColour(rememberedStatusTextIndex)) bridge::assign(rememberedStatusTextColour, c);
    return previousInitStatusBarAttributes(self, _cmd, nil, rememberedStatusBackgroundColour,
                                           rememberedStatusTextColour);
}

id (*previousLcdColor)(id, SEL);
id ReplacedLcdColor(id self, SEL _cmd) {
    return GetPrefBool(CFSTR("kLCD")) ? previousLcdColor(self, _cmd) : ClearColour();
}

id (*previousDialerColor)(id, SEL);
id ReplacedDialerColor(id self, SEL _cmd) {
    return GetPrefBool(CFSTR("kLCD")) ? previousDialerColor(self, _cmd) : ClearColour();
}

void (*previousSetCallButtonBackground)(id, SEL, id);
void ReplacedSetCallButtonBackground(id self, SEL _cmd, id colour) {
    Remember({{CFSTR("enabled"), &rememberedCallEnabled}, {CFSTR("call"), &rememberedCallIndex}});
    // The colour follows the index even while custom colours are off, ready for when they come on.
    if (id c = BackgroundColour(rememberedCallIndex)) bridge::assign(rememberedCallColour, c);
    previousSetCallButtonBackground(self, _cmd, rememberedCallEnabled ? rememberedCallColour : colour);
}

BOOL (*previousShowsPhoneVoicemail)(id, SEL);
BOOL ReplacedShowsPhoneVoicemail(id self, SEL _cmd) {
    if (GetPrefBool(CFSTR("kVoice"))) return NO;
    return previousShowsPhoneVoicemail(self, _cmd);
}

void (*previousSetContentTintColor)(id, SEL, id, NSUInteger);
void ReplacedSetContentTintColor(id self, SEL _cmd, id colour, NSUInteger state) {
    previousSetContentTintColor(self, _cmd, GetPrefBool(CFSTR("tab")) ? BlackColour() : colour, state);
}

// A class the process does not have yields nil, and the substrate then installs nothing for it.
__attribute__((constructor)) void InstallHooks() {
    void* pool = objc_autoreleasePoolPush();
    Class application = objc_getClass("UIApplication");
    MSHookMessageEx(application, BRIDGE_SEL("_setApplicationIsOpaque:"), &ReplacedSetApplicationIsOpaque,
                    &previousSetApplicationIsOpaque);
    MSHookMessageEx(application, BRIDGE_SEL("_setBackgroundStyle:"), &ReplacedSetBackgroundStyle,
                    &previousSetBackgroundStyle);
    MSHookMessageEx(objc_getClass("TPPathView"), BRIDGE_SEL("setFillColor:"), &ReplacedSetFillColor,
                    &previousSetFillColor);
    MSHookMessageEx(objc_getClass("UIStatusBarStyleAttributes"), BRIDGE_SEL("foregroundStyle"),
                    &ReplacedForegroundStyle, &previousForegroundStyle);
    MSHookMessageEx(objc_getClass("UIStatusBarNewUIStyleAttributes"),
                    BRIDGE_SEL("initWithRequest:backgroundColor:foregroundColor:"), &ReplacedInitStatusBarAttributes,
                    &previousInitStatusBarAttributes);
    MSHookMessageEx(objc_getClass("PHHandsetDialerLCDView"), BRIDGE_SEL("lcdColor"), &ReplacedLcdColor,
                    &previousLcdColor);
    MSHookMessageEx(objc_getClass("PHHandsetDialerView"), BRIDGE_SEL("dialerColor"), &ReplacedDialerColor,
                    &previousDialerColor);
    MSHookMessageEx(objc_getClass("TPSuperBottomBarButton"), BRIDGE_SEL("setBackgroundColor:"),
                    &ReplacedSetCallButtonBackground, &previousSetCallButtonBackground);
    MSHookMessageEx(objc_getClass("MobilePhoneApplication"), BRIDGE_SEL("showsPhoneVoicemail"),
                    &ReplacedShowsPhoneVoicemail, &previousShowsPhoneVoicemail);
    MSHookMessageEx(objc_getClass("UITabBarButton"), BRIDGE_SEL("_setContentTintColor:forState:"),
                    &ReplacedSetContentTintColor, &previousSetContentTintColor);
    objc_autoreleasePoolPop(pool);
}

}  // namespace
