#include "UIKit/UITabBar.h"

#include <vector>

#include "UIKit/UIGraphics.h"
#include "UIKit/UIScreen.h"
#include "UISystemColours.h"

OBJC_IMPLEMENTATION(UITabBarButton,
    objc::method("_setContentTintColor:forState:", [](id self, SEL, id colour, NSUInteger state) {
        static_cast<UITabBarButton*>(self)->_setContentTintColor(objc_cast<UIColor>(colour),
                                                                 static_cast<UIControlState>(state));
    }))

OBJC_IMPLEMENTATION(UITabBar)

namespace {
constexpr CGFloat kGlyphTop = 1, kTitleTop = 34, kTitleHeight = 12;
}

UITabBarButton::UITabBarButton(std::string title, UIView* glyph) : titleLabel_(make<UILabel>()), glyph_(glyph) {
    titleLabel_->setText(std::move(title));
    titleLabel_->setFont(UIFont::fontWithName("HelveticaNeue", 10));
    titleLabel_->setTextAlignment(NSTextAlignmentCenter);
    if (glyph_) addSubview(glyph_);
    addSubview(titleLabel_);
}

void UITabBarButton::_setContentTintColor(UIColor* colour, UIControlState state) {
    contentTintColors_[state] = colour;
    setNeedsLayout();
}

UIColor* UITabBarButton::contentTintColorForState(UIControlState state) const {
    auto found = contentTintColors_.find(state);
    return found == contentTintColors_.end() ? nullptr : found->second.get();
}

UIColor* UITabBarButton::currentContentTintColor() const {
    if (isSelected())
        if (UIColor* selected = contentTintColorForState(UIControlStateSelected)) return selected;
    return contentTintColorForState(UIControlStateNormal);
}

void UITabBarButton::setSelected(bool selected) {
    UIControl::setSelected(selected);
    setNeedsLayout();
}

void UITabBarButton::layoutSubviews() {
    const CGFloat width = bounds().size.width;
    UIColor* tint = currentContentTintColor();
    if (glyph_) {
        glyph_->setFrame(CGRectMake((width - kGlyphSide) / 2, kGlyphTop, kGlyphSide, kGlyphSide));
        glyph_->setTintColor(tint);
        glyph_->setHidden(!tint);
    }
    titleLabel_->setFrame(CGRectMake(0, kTitleTop, width, kTitleHeight));
    titleLabel_->setTextColor(tint);
    titleLabel_->setHidden(!tint);
}

UITabBar::UITabBar() {
    const CGRect screen = UIScreen::mainScreen()->bounds();
    setFrame(CGRectMake(0, screen.size.height - kHeight, screen.size.width, kHeight));
    setBackgroundColor(UIBarBackgroundColour());
}

void UITabBar::drawRect(CGRect rect) {
    UIBarHairlineColour()->setFill();
    UIRectFill(CGRectMake(0, 0, rect.size.width, 0.5));
}

void UITabBar::layoutSubviews() {
    std::vector<UITabBarButton*> buttons;
    for (const auto& view : subviews())
        if (auto* button = objc_cast<UITabBarButton>(view.get())) buttons.push_back(button);
    const CGSize size = bounds().size;
    const CGFloat width = buttons.empty() ? 0 : size.width / buttons.size();
    for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->setFrame(CGRectMake(i * width, 0, width, size.height));
}
