#pragma once
// The Phone app's private classes that are not views (and the private UIKit status-bar classes it
// uses), with stock behaviour; the views are in KeypadViews.h and CallButton.h. Each method a tweak
// may replace is registered by name, and its original implementation records the arguments it
// received, so a report can show what a hook changed.
//
// Stock behaviour:
//   MobilePhoneApplication  showsPhoneVoicemail                  -> YES
//   TPPathView              setFillColor:                        keeps the colour as the key disc's fill
//   UIStatusBarStyleAttributes foregroundStyle                   -> a UIStatusBarForegroundStyleAttributes
//   UIStatusBarNewUIStyleAttributes initWithRequest:backgroundColor:foregroundColor:
//                                                                keeps both colours, -> self
//   PHHandsetDialerLCDView  lcdColor                             -> white (the number display's background)
//   PHHandsetDialerView     dialerColor                          -> white (the keypad's background)
//   TPSuperBottomBarButton  setBackgroundColor:                  keeps the colour as the call button's
//   UITabBarButton          _setContentTintColor:forState:       keeps the colour as the tab's tint

#include "Received.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "UIKit/UITabBar.h"

class MobilePhoneApplication : public UIApplication {
    OBJC_INTERFACE(MobilePhoneApplication, UIApplication)

public:
    MobilePhoneApplication() = default;
    // UIApplication's registered methods reach these, so what arrives at UIKit is on record.
    void _setApplicationIsOpaque(BOOL opaque) override;
    void _setBackgroundStyle(NSInteger style) override;
};

// The dialer's tab buttons: UIKit's registered method reaches this, so what arrives is on record.
class PhoneTabBarButton : public UITabBarButton {
    OBJC_INTERFACE(PhoneTabBarButton, UITabBarButton)

public:
    PhoneTabBarButton() = default;
    PhoneTabBarButton(std::string title, UIView* glyph) : UITabBarButton(std::move(title), glyph) {}
    void _setContentTintColor(UIColor* colour, UIControlState state) override;
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
