#include "UIKit/UILabel.h"

OBJC_IMPLEMENTATION(UILabel)

UIFont* UILabel::font() const {
    if (!font_) font_ = UIFont::systemFontOfSize(17);
    return font_;
}
