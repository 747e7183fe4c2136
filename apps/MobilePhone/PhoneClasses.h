#pragma once
// The Phone app's private classes (and the private UIKit status-bar and tab-bar classes it uses), with
// stock behaviour. Each method a tweak may replace is registered by name, and its original
// implementation records the arguments it received, so a report can show what a hook changed.
//
// Stock behaviour:
//   MobilePhoneApplication  showsPhoneVoicemail                  -> YES
//   TPPathView              setFillColor:                        keeps the colour as the keypad shape's fill
//   UIStatusBarStyleAttributes foregroundStyle                   -> a UIStatusBarForegroundStyleAttributes
//   UIStatusBarNewUIStyleAttributes initWithRequest:backgroundColor:foregroundColor:
//                                                                keeps both colours, -> self
//   PHHandsetDialerLCDView  lcdColor                             -> white (the number display's background)
//   PHHandsetDialerView     dialerColor                          -> white (the keypad's background)
//   TPSuperBottomBarButton  setBackgroundColor:                  keeps the colour as the call button's
//   UITabBarButton          _setContentTintColor:forState:       keeps the colour as the tab's tint

#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"

namespace phone {

// One argument or result as a report shows it: nil, a boolean, an integer or an object.
using Value = std::variant<std::monostate, bool, long long, Ref<NSObject>>;

// What the original implementation of the message being sent received; empty when it was not called.
void recordReceived(std::vector<Value> arguments);
std::optional<std::vector<Value>> takeReceived();

}  // namespace phone

class MobilePhoneApplication : public UIApplication {
    OBJC_INTERFACE(MobilePhoneApplication, UIApplication)

public:
    MobilePhoneApplication() = default;
    // UIApplication's registered methods reach these, so what arrives at UIKit is on record.
    void _setApplicationIsOpaque(BOOL opaque) override;
    void _setBackgroundStyle(NSInteger style) override;
};

class TPPathView : public NSObject {
    OBJC_INTERFACE(TPPathView, NSObject)

public:
    TPPathView() = default;
    Ref<UIColor> fillColor;
};

class UIStatusBarForegroundStyleAttributes : public NSObject {
    OBJC_INTERFACE(UIStatusBarForegroundStyleAttributes, NSObject)

public:
    UIStatusBarForegroundStyleAttributes() = default;
};

class UIStatusBarStyleRequest : public NSObject {
    OBJC_INTERFACE(UIStatusBarStyleRequest, NSObject)

public:
    UIStatusBarStyleRequest() = default;
};

class UIStatusBarStyleAttributes : public NSObject {
    OBJC_INTERFACE(UIStatusBarStyleAttributes, NSObject)

public:
    UIStatusBarStyleAttributes() = default;
    Ref<UIStatusBarForegroundStyleAttributes> stockForegroundStyle = make<UIStatusBarForegroundStyleAttributes>();
};

class UIStatusBarNewUIStyleAttributes : public UIStatusBarStyleAttributes {
    OBJC_INTERFACE(UIStatusBarNewUIStyleAttributes, UIStatusBarStyleAttributes)

public:
    UIStatusBarNewUIStyleAttributes() = default;
    Ref<NSObject> request;
    Ref<UIColor> backgroundColor;
    Ref<UIColor> foregroundColor;
};

class PHHandsetDialerLCDView : public NSObject {
    OBJC_INTERFACE(PHHandsetDialerLCDView, NSObject)

public:
    PHHandsetDialerLCDView() = default;
    Ref<UIColor> stockColor = UIColor::whiteColor();
};

class PHHandsetDialerView : public NSObject {
    OBJC_INTERFACE(PHHandsetDialerView, NSObject)

public:
    PHHandsetDialerView() = default;
    Ref<UIColor> stockColor = UIColor::whiteColor();
};

class TPSuperBottomBarButton : public NSObject {
    OBJC_INTERFACE(TPSuperBottomBarButton, NSObject)

public:
    TPSuperBottomBarButton() = default;
    Ref<UIColor> backgroundColor;
};

class UITabBarButton : public NSObject {
    OBJC_INTERFACE(UITabBarButton, NSObject)

public:
    UITabBarButton() = default;
    explicit UITabBarButton(std::string title) : title(std::move(title)) {}
    std::string title;
    bool selected = false;
    // The content tint received for each control state.
    std::map<NSUInteger, Ref<UIColor>> contentTintColors;
    // What the button is drawn in: the colour of its own state, the normal one where that state
    // received none.
    UIColor* currentContentTintColor() const;
};
