#pragma once
// The bar across the top of the system's compose sheets: Cancel on the left, a title in the room
// between, the sheet's confirming button (bold) on the right, and a hairline along the bottom.
// Each button is as wide as its title plus 10 points a side, its title in the tint. The share
// sheet and the mail composer share it; apps do not use it.

#include <string>

#include "UIKit/UIButton.h"
#include "UIKit/UILabel.h"

class UISheetBar : public UIView {
    OBJC_INTERFACE(UISheetBar, UIView)

public:
    static constexpr CGFloat kHeight = 44;

    UISheetBar();

    UIButton* cancelButton() const { return cancel_; }
    UIButton* confirmButton() const { return confirm_; }
    // The confirming button's title: Post, Send.
    void setConfirmTitle(const std::string& title);
    UILabel* titleLabel() const { return title_; }
    // The grey of the bar's bottom line, and of the lines between a sheet's fields.
    static UIColor* lineColor();

    void layoutSubviews() override;

private:
    Ref<UIButton> cancel_, confirm_;
    Ref<UILabel> title_;
    Ref<UIView> line_;
};
