#pragma once
// A text in one font, colour and alignment.

#include <string>

#include "UIKit/UIFont.h"
#include "UIKit/UIView.h"

enum NSTextAlignment : NSInteger { NSTextAlignmentLeft = 0, NSTextAlignmentCenter = 1, NSTextAlignmentRight = 2 };

class UILabel : public UIView {
    OBJC_INTERFACE(UILabel, UIView)

public:
    UILabel() { setUserInteractionEnabled(false); }
    explicit UILabel(CGRect frame) : UIView(frame) { setUserInteractionEnabled(false); }

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    // The label's font: the system font of 17 points until one is set.
    UIFont* font() const;
    // Nil returns to the system font, so a font name the catalogue lacks leaves the default.
    void setFont(UIFont* font) { font_ = font; }
    // Black until set; nil returns to black.
    UIColor* textColor() const { return textColor_ ? textColor_.get() : UIColor::blackColor(); }
    void setTextColor(UIColor* colour) { textColor_ = colour; }
    bool hasCustomTextColor() const { return textColor_ != nullptr; }
    NSTextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(NSTextAlignment alignment) { alignment_ = alignment; }
    // 1: one line, centred vertically, ending in an ellipsis when too wide. 0 (or more than one):
    // wrapped at word boundaries from the top, as many lines as the text needs.
    NSInteger numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(NSInteger lines) { numberOfLines_ = lines; }

    void drawRect(CGRect rect) override;
    // One line: the text's width and a line's height. Wrapped: the width asked and the height the
    // text takes in it.
    CGSize sizeThatFits(CGSize size) const override;

private:
    std::string text_;
    mutable Ref<UIFont> font_;
    Ref<UIColor> textColor_;
    NSTextAlignment alignment_ = NSTextAlignmentLeft;
    NSInteger numberOfLines_ = 1;
};
