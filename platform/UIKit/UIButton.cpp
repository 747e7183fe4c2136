#include "UIKit/UIButton.h"

#include <cmath>

#include "UIKit/UIStringDrawing.h"

OBJC_IMPLEMENTATION(UIButton)

Ref<UIButton> UIButton::buttonWithType(UIButtonType type) {
    auto button = make<UIButton>();
    button->type_ = type;
    return button;
}

namespace {
// Like UIKit, a state without its own value shows the normal state's.
template <class Map>
const typename Map::mapped_type* forState(const Map& values, UIControlState state) {
    auto it = values.find(state);
    if (it == values.end()) it = values.find(UIControlStateNormal);
    return it == values.end() ? nullptr : &it->second;
}
}  // namespace

UIImage* UIButton::backgroundImageForState(UIControlState state) const {
    const auto* image = forState(backgrounds_, state);
    return image ? image->get() : nullptr;
}

void UIButton::setBackgroundImage(UIImage* image, UIControlState state) {
    if (image)
        backgrounds_[state] = image;
    else
        backgrounds_.erase(state);
}

std::string UIButton::titleForState(UIControlState state) const {
    const auto* title = forState(titles_, state);
    return title ? *title : std::string();
}

void UIButton::setTitle(const std::string& title, UIControlState state) {
    titles_[state] = title;
    setNeedsLayout();
}

UIColor* UIButton::titleColorForState(UIControlState state) const {
    const auto* colour = forState(titleColours_, state);
    return colour ? colour->get() : nullptr;
}

void UIButton::setTitleColor(UIColor* colour, UIControlState state) {
    titleColours_[state] = colour;
    setNeedsLayout();
}

UILabel* UIButton::titleLabel() {
    if (!titleLabel_) {
        titleLabel_ = make<UILabel>();
        titleLabel_->setTextAlignment(NSTextAlignmentCenter);
        addSubview(titleLabel_);
    }
    return titleLabel_;
}

void UIButton::setSelected(bool selected) {
    UIControl::setSelected(selected);
    setNeedsLayout();
}

// The title follows the state and the tint, both of which mark the button for layout.
void UIButton::layoutSubviews() {
    const std::string title = titleForState(state());
    if (title.empty() && !titleLabel_) return;
    UILabel* label = titleLabel();
    label->setText(title);
    UIColor* colour = titleColorForState(state());
    label->setTextColor(colour ? colour : type_ == UIButtonTypeSystem ? tintColor() : UIColor::whiteColor());
    label->setFrame(bounds());
}

void UIButton::drawRect(CGRect rect) {
    if (UIImage* image = backgroundImageForState(state())) image->drawInRect(rect);
}

CGSize UIButton::sizeThatFits(CGSize) const {
    UIFont* font = titleLabel_ ? titleLabel_->font() : nullptr;
    const CGFloat height = frame().size.height > 0 ? frame().size.height : 30;
    if (UIImage* image = backgroundImageForState(state()); image && titleForState(state()).empty()) return image->size();
    return {std::ceil(UITextWidth(titleForState(state()), font)) + 20, height};
}
