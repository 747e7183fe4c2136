#pragma once
// An on/off switch. Its colours are its own when set, else those of the appearance proxy of the
// nearest containing view or view controller whose class has one (appearanceWhenContainedIn:).

#include "UIKit/UIControl.h"

class UISwitchAppearance : public NSObject {
    OBJC_INTERFACE(UISwitchAppearance, NSObject)

public:
    UISwitchAppearance() = default;
    UIColor* onTintColor() const { return onTint_; }
    void setOnTintColor(UIColor* colour) { onTint_ = colour; }
    UIColor* tintColor() const { return tint_; }
    void setTintColor(UIColor* colour) { tint_ = colour; }

private:
    Ref<UIColor> onTint_, tint_;
};

class UISwitch : public UIControl {
    OBJC_INTERFACE(UISwitch, UIControl)

public:
    UISwitch() : UIControl(CGRectMake(0, 0, 51, 31)) {}

    bool isOn() const { return on_; }
    void setOn(bool on, bool animated = false);
    // A flip by the user: changes the value and sends the value-changed actions.
    void toggle();

    void setOnTintColor(UIColor* colour) { onTint_ = colour; }
    UIColor* ownOnTintColor() const { return onTint_; }
    // The colours the switch shows with: its own, else the appearance's; nil for the platform's.
    UIColor* effectiveOnTintColor() const;
    UIColor* effectiveTintColor() const;

    // The proxy for switches contained in an instance of `container` (a view or view controller
    // class, or a subclass of it). One per class, for the life of the process.
    static UISwitchAppearance* appearanceWhenContainedIn(Class container);

private:
    const UISwitchAppearance* appearance() const;
    bool on_ = false;
    Ref<UIColor> onTint_;
};
