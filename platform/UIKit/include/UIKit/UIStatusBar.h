#pragma once
// The status bar across the top of the screen: signal dots and carrier on the left, the time in
// the middle, the battery on the right, drawn over whatever lies beneath it, as on iOS 7.

#include "UIKit/UIView.h"

class UIStatusBar : public UIView {
    OBJC_INTERFACE(UIStatusBar, UIView)

public:
    static constexpr CGFloat kHeight = 20;

    UIStatusBar();

    // The colour of its texts and glyphs; nil draws none of them. Black until set.
    UIColor* foregroundColor() const { return foregroundColor_; }
    void setForegroundColor(UIColor* colour) { foregroundColor_ = colour; }

    void drawRect(CGRect rect) override;

private:
    Ref<UIColor> foregroundColor_;
};
