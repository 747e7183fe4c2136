#include "UIKit/UIButton.h"

OBJC_IMPLEMENTATION(UIButton)

Ref<UIButton> UIButton::buttonWithType(UIButtonType type) {
    auto button = make<UIButton>();
    button->type_ = type;
    return button;
}

UIImage* UIButton::backgroundImageForState(UIControlState state) const {
    auto it = backgrounds_.find(state);
    if (it != backgrounds_.end()) return it->second;
    // Like UIKit, a state without its own image shows the normal one.
    it = backgrounds_.find(UIControlStateNormal);
    return it == backgrounds_.end() ? nullptr : it->second.get();
}

void UIButton::setBackgroundImage(UIImage* image, UIControlState state) {
    if (image)
        backgrounds_[state] = image;
    else
        backgrounds_.erase(state);
}
