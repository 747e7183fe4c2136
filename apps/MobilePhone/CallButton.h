#pragma once
// The round call button under the keypad, with a handset on it. Its colour is what its
// setBackgroundColor: receives; it fills the circle, not the button's square.

#include "UIKit/UIControl.h"

class TPSuperBottomBarButton : public UIControl {
    OBJC_INTERFACE(TPSuperBottomBarButton, UIControl)

public:
    static constexpr CGFloat kDiameter = 66;

    TPSuperBottomBarButton() : UIControl(CGRectMake(0, 0, kDiameter, kDiameter)) {}

    UIColor* fillColor() const { return fillColor_; }
    // What the registered setBackgroundColor: does.
    void setFillColor(UIColor* colour);
    // The handset's colour: white on the stock green and on darker colours, black on light ones.
    UIColor* glyphColor() const { return glyphColor_; }

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

private:
    Ref<UIColor> fillColor_;
    Ref<UIColor> glyphColor_ = UIColor::whiteColor();
};
