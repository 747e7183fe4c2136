#include "UIKit/UIImageView.h"

OBJC_IMPLEMENTATION(UIImageView)

UIImageView::UIImageView(UIImage* image) : image_(image) {
    setUserInteractionEnabled(false);
    if (image) setFrame({{0, 0}, image->size()});
}

void UIImageView::drawRect(CGRect rect) {
    if (image_) image_->drawInRect(rect);
}
