#pragma once

#include <string>

#include "UIKit/UIFont.h"
#include "UIKit/UIView.h"

enum NSTextAlignment : NSInteger { NSTextAlignmentLeft = 0, NSTextAlignmentCenter = 1, NSTextAlignmentRight = 2 };

class UILabel : public UIView {
    OBJC_INTERFACE(UILabel, UIView)

public:
    UILabel() = default;
    explicit UILabel(CGRect frame) : UIView(frame) {}

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    // The label's font: the system font of 17 points until one is set.
    UIFont* font() const;
    // A nil font leaves the current one, as UIKit keeps a label's font when handed none.
    void setFont(UIFont* font) {
        if (font) font_ = font;
    }
    // Black until set.
    UIColor* textColor() const { return textColor_ ? textColor_.get() : UIColor::blackColor(); }
    void setTextColor(UIColor* colour) { textColor_ = colour; }
    bool hasCustomTextColor() const { return textColor_ != nullptr; }
    NSTextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(NSTextAlignment alignment) { alignment_ = alignment; }

private:
    std::string text_;
    mutable Ref<UIFont> font_;
    Ref<UIColor> textColor_;
    NSTextAlignment alignment_ = NSTextAlignmentLeft;
};
