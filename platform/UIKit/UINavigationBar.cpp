#include "UIKit/UINavigationBar.h"

OBJC_IMPLEMENTATION(UINavigationBar)

UIColor* UINavigationBar::titleColor() const {
    return titleTextAttributes_ ? objc_cast<UIColor>(titleTextAttributes_->objectForKey(NSForegroundColorAttributeName))
                                : nullptr;
}
