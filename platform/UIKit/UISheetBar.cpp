#include "UIKit/UISheetBar.h"

#include "UISystemColours.h"

OBJC_IMPLEMENTATION(UISheetBar)

namespace {

Ref<UIButton> barButton(const char* font, const std::string& title) {
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setTitle(title, UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::fontWithName(font, 17));
    return button;
}

}  // namespace

UISheetBar::UISheetBar()
    : cancel_(barButton("HelveticaNeue", "Cancel")),
      confirm_(barButton("HelveticaNeue-Bold", "")),
      title_(make<UILabel>()),
      line_(make<UIView>()) {
    title_->setFont(UIFont::fontWithName("HelveticaNeue-Medium", 17));
    title_->setTextAlignment(NSTextAlignmentCenter);
    line_->setBackgroundColor(lineColor());
    for (UIView* view : std::initializer_list<UIView*>{cancel_, title_, confirm_, line_}) addSubview(view);
}

void UISheetBar::setConfirmTitle(const std::string& title) {
    confirm_->setTitle(title, UIControlStateNormal);
    setNeedsLayout();
}

UIColor* UISheetBar::lineColor() { return UISeparatorColour(); }

void UISheetBar::layoutSubviews() {
    const CGRect all = bounds();
    // A button's own fit: its title's width and 10 points a side.
    const CGFloat cancelWidth = cancel_->sizeThatFits(all.size).width, confirmWidth = confirm_->sizeThatFits(all.size).width;
    cancel_->setFrame(CGRectMake(0, 0, cancelWidth, all.size.height));
    confirm_->setFrame(CGRectMake(all.size.width - confirmWidth, 0, confirmWidth, all.size.height));
    title_->setFrame(CGRectMake(cancelWidth, 0, all.size.width - cancelWidth - confirmWidth, all.size.height));
    line_->setFrame(CGRectMake(0, all.size.height - 0.5, all.size.width, 0.5));
}
