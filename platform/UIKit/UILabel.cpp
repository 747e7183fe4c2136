#include "UIKit/UILabel.h"

#include <cmath>

#include "UIKit/UIGraphics.h"
#include "UIKit/UIStringDrawing.h"

OBJC_IMPLEMENTATION(UILabel)

UIFont* UILabel::font() const {
    if (!font_) font_ = UIFont::systemFontOfSize(17);
    return font_;
}

void UILabel::drawRect(CGRect rect) {
    if (text_.empty()) return;
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (numberOfLines_ == 1)
        UIDrawText(c, text_, rect, font(), textColor(), alignment_);
    else
        UIDrawWrappedText(c, text_, rect, font(), textColor(), alignment_);
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    if (numberOfLines_ != 1) return {size.width, std::ceil(UIWrappedTextHeight(text_, font(), size.width))};
    return {std::ceil(UITextWidth(text_, font())), std::ceil(UIWrappedTextHeight(text_, font(), 0))};
}
