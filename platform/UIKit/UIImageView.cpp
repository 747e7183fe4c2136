#include "UIKit/UIImageView.h"

OBJC_IMPLEMENTATION(UIImageView)

UIImageView::UIImageView(UIImage* image) : image_(image) {
    if (image) setFrame({{0, 0}, image->size()});
}
