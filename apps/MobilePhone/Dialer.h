#pragma once
// The dialer screen as the Phone app builds it: the objects whose hookable methods it calls, the
// views they colour, and what each of the ten messages sent, what the original implementation
// received, and what came back.

#include <optional>
#include <string>
#include <vector>

#include "CallButton.h"
#include "KeypadViews.h"
#include "PhoneClasses.h"
#include "UIKit/UITabBar.h"

namespace phone {

struct MessageRecord {
    std::string className;
    std::string selector;
    std::vector<Value> sent;
    std::optional<std::vector<Value>> received;  // empty: the original implementation was not called
    Value returned;
};

// The stock arguments the app sends.
struct StockArguments {
    static constexpr BOOL kApplicationIsOpaque = NO;  // the dialer asks for a blurred, translucent window
    static constexpr NSInteger kBackgroundStyle = 2;  // a blur style
    static Ref<UIColor> keypadFill() { return UIColor::colorWithRed(1, 1, 1, 0.25); }
    static Ref<UIColor> statusBarBackground() { return UIColor::whiteColor(); }
    static Ref<UIColor> statusBarForeground() { return UIColor::blackColor(); }
    static Ref<UIColor> callButton() { return UIColor::colorWithRed(76 / 255.0, 217 / 255.0, 100 / 255.0, 1); }
    // The tab bar gives each tab the tint for its selected state and grey for its normal state.
    static Ref<UIColor> tabTint() { return UIView::defaultTintColor(); }
    static Ref<UIColor> tabGrey() { return UIColor::colorWithRed(0.572549, 0.572549, 0.572549, 1); }
    static constexpr const char* kSelectedTab = "Keypad";
    // What the display shows: a number being typed.
    static constexpr const char* kTypedNumber = "555 0123";
};

class Dialer {
public:
    Dialer();

    // Sends the ten messages through the runtime, in the order of the tweak's hook table, and
    // colours the views with what they give.
    std::vector<MessageRecord> build();

    Ref<MobilePhoneApplication> application;
    Ref<UIStatusBarStyleAttributes> statusBarStyle;
    Ref<UIStatusBarNewUIStyleAttributes> statusBarColours;

    // The screen below the status bar: the number display, the keypad (with the call button) and
    // the tab bar, at their places on the 320 x 568 point screen.
    Ref<UIView> view;
    Ref<PHHandsetDialerLCDView> lcdView;
    Ref<PHHandsetDialerView> dialerView;
    Ref<UITabBar> tabBar;
    std::vector<Ref<PhoneTabBarButton>> tabs;

    // What the last build produced.
    bool statusBarHidden = false;
    bool showsVoicemail = true;
};

}  // namespace phone
