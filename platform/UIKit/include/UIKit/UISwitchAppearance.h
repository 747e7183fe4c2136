#pragma once
// The colours that switches take inside one class of container (appearanceWhenContainedIn:). A
// colour left unset here lets a farther container's proxy decide.

#include "UIKit/UIColor.h"
#include "objc/runtime.h"

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
