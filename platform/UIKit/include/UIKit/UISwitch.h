#pragma once
// An on/off switch. Each of its colours is its own when set, else that of the appearance proxy of
// the nearest containing view or view controller whose class (or an ancestor class) has a proxy
// giving that colour.

#include "UIKit/UIControl.h"
#include "UIKit/UISwitchAppearance.h"

class UISwitch : public UIControl {
    OBJC_INTERFACE(UISwitch, UIControl)

public:
    UISwitch() : UIControl(CGRectMake(0, 0, 51, 31)) {}

    bool isOn() const { return on_; }
    // Sets the value without sending actions, as a program's change does not.
    void setOn(bool on, bool animated = false);
    // A flip by the user: changes the value and sends the value-changed actions.
    void toggle();

    // The switch's own on-colour; nil when it has none.
    UIColor* onTintColor() const { return onTint_; }
    void setOnTintColor(UIColor* colour) { onTint_ = colour; }
    // The colours the switch shows with: its own, else the appearance's; nil for the platform's.
    UIColor* effectiveOnTintColor() const;
    UIColor* effectiveTintColor() const;

    // The proxy for switches contained in an instance of `container` (a view or view controller
    // class, or a subclass of it); nil for a nil class. One per class, for the life of the process.
    static UISwitchAppearance* appearanceWhenContainedIn(Class container);

    // On: a track filled with the on tint. Off: white inside an outline in the tint. The knob sits
    // at the end the value points to.
    void drawRect(CGRect rect) override;

private:
    using AppearanceColour = UIColor* (UISwitchAppearance::*)() const;
    UIColor* appearanceColour(AppearanceColour colour) const;

    bool on_ = false;
    Ref<UIColor> onTint_;
};
