// The ten replacements, installed when the substrate loads the library into the Phone app.

#include "ColourTables.h"
#include "Preferences.h"
#include "substrate/substrate.h"

using namespace corvane;

namespace {

// Process-wide state. The constructor runs before this unit's dynamic initialisers, so everything
// here is constant-initialised: plain values and empty Refs.
bool rememberedCallEnabled = true;
int rememberedCallIndex = 8;
int rememberedStatusBackgroundIndex = 4;
int rememberedStatusTextIndex = 1;
Ref<UIColor> rememberedStatusTextColour;
Ref<UIColor> rememberedStatusBackgroundColour;
Ref<UIColor> rememberedCallColour;

// A keypad shape's fill when button backgrounds are off: light grey, fully transparent.
Ref<UIColor> ClearKeypadFill() { return UIColor::colorWithRed(239 / 255.0, 239 / 255.0, 239 / 255.0, 0.0); }

void (*previousSetApplicationIsOpaque)(id, SEL, BOOL);
void ReplacedSetApplicationIsOpaque(id self, SEL _cmd, BOOL opaque) {
    previousSetApplicationIsOpaque(self, _cmd, GetPrefBool("Blur") ? opaque : YES);
}

void (*previousSetBackgroundStyle)(id, SEL, NSInteger);
void ReplacedSetBackgroundStyle(id self, SEL _cmd, NSInteger style) {
    previousSetBackgroundStyle(self, _cmd, GetPrefBool("Blur") ? style : 1);
}

void (*previousSetFillColor)(id, SEL, id);
void ReplacedSetFillColor(id self, SEL _cmd, id colour) {
    if (GetPrefBool("ButtonColor")) {
        previousSetFillColor(self, _cmd, colour);
        return;
    }
    Ref<UIColor> fill = ClearKeypadFill();
    previousSetFillColor(self, _cmd, fill);
}

id (*previousForegroundStyle)(id, SEL);
id ReplacedForegroundStyle(id self, SEL _cmd) {
    if (GetPrefBool("kStatus")) return nil;
    return previousForegroundStyle(self, _cmd);
}

id (*previousInitStatusBarAttributes)(id, SEL, id, id, id);
id ReplacedInitStatusBarAttributes(id self, SEL _cmd, id, id, id) {
    Remember({{"bgc", &rememberedStatusBackgroundIndex}, {"fgc", &rememberedStatusTextIndex}});
    if (UIColor* c = BackgroundColour(rememberedStatusBackgroundIndex)) rememberedStatusBackgroundColour = c;
    if (UIColor* c = TextColour(rememberedStatusTextIndex)) rememberedStatusTextColour = c;
    return previousInitStatusBarAttributes(self, _cmd, nil, rememberedStatusBackgroundColour.get(),
                                           rememberedStatusTextColour.get());
}

id (*previousLcdColor)(id, SEL);
id ReplacedLcdColor(id self, SEL _cmd) {
    return GetPrefBool("kLCD") ? previousLcdColor(self, _cmd) : UIColor::clearColor();
}

id (*previousDialerColor)(id, SEL);
id ReplacedDialerColor(id self, SEL _cmd) {
    return GetPrefBool("kLCD") ? previousDialerColor(self, _cmd) : UIColor::clearColor();
}

void (*previousSetCallButtonBackground)(id, SEL, id);
void ReplacedSetCallButtonBackground(id self, SEL _cmd, id colour) {
    Remember({{"enabled", &rememberedCallEnabled}, {"call", &rememberedCallIndex}});
    // The colour follows the index even while custom colours are off, ready for when they come on.
    if (UIColor* c = BackgroundColour(rememberedCallIndex)) rememberedCallColour = c;
    previousSetCallButtonBackground(self, _cmd, rememberedCallEnabled ? rememberedCallColour.get() : colour);
}

BOOL (*previousShowsPhoneVoicemail)(id, SEL);
BOOL ReplacedShowsPhoneVoicemail(id self, SEL _cmd) {
    if (GetPrefBool("kVoice")) return NO;
    return previousShowsPhoneVoicemail(self, _cmd);
}

void (*previousSetContentTintColor)(id, SEL, id, NSUInteger);
void ReplacedSetContentTintColor(id self, SEL _cmd, id colour, NSUInteger state) {
    previousSetContentTintColor(self, _cmd, GetPrefBool("tab") ? UIColor::blackColor() : colour, state);
}

// A class the process does not have yields nil, and the substrate then installs nothing for it.
__attribute__((constructor)) void InstallHooks() {
    void* pool = objc_autoreleasePoolPush();
    Class application = objc_getClass("UIApplication");
    MSHookMessageEx(application, SELECTOR("_setApplicationIsOpaque:"), &ReplacedSetApplicationIsOpaque,
                    &previousSetApplicationIsOpaque);
    MSHookMessageEx(application, SELECTOR("_setBackgroundStyle:"), &ReplacedSetBackgroundStyle,
                    &previousSetBackgroundStyle);
    MSHookMessageEx(objc_getClass("TPPathView"), SELECTOR("setFillColor:"), &ReplacedSetFillColor,
                    &previousSetFillColor);
    MSHookMessageEx(objc_getClass("UIStatusBarStyleAttributes"), SELECTOR("foregroundStyle"),
                    &ReplacedForegroundStyle, &previousForegroundStyle);
    MSHookMessageEx(objc_getClass("UIStatusBarNewUIStyleAttributes"),
                    SELECTOR("initWithRequest:backgroundColor:foregroundColor:"), &ReplacedInitStatusBarAttributes,
                    &previousInitStatusBarAttributes);
    MSHookMessageEx(objc_getClass("PHHandsetDialerLCDView"), SELECTOR("lcdColor"), &ReplacedLcdColor,
                    &previousLcdColor);
    MSHookMessageEx(objc_getClass("PHHandsetDialerView"), SELECTOR("dialerColor"), &ReplacedDialerColor,
                    &previousDialerColor);
    MSHookMessageEx(objc_getClass("TPSuperBottomBarButton"), SELECTOR("setBackgroundColor:"),
                    &ReplacedSetCallButtonBackground, &previousSetCallButtonBackground);
    MSHookMessageEx(objc_getClass("MobilePhoneApplication"), SELECTOR("showsPhoneVoicemail"),
                    &ReplacedShowsPhoneVoicemail, &previousShowsPhoneVoicemail);
    MSHookMessageEx(objc_getClass("UITabBarButton"), SELECTOR("_setContentTintColor:forState:"),
                    &ReplacedSetContentTintColor, &previousSetContentTintColor);
    objc_autoreleasePoolPop(pool);
}

}  // namespace
