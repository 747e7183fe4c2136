#pragma once
// A button: a control with a background image and a title per state. A system button's title is
// in its tint colour unless given one of its own; a custom button's is white.

#include <map>
#include <string>

#include "UIKit/UIControl.h"
#include "UIKit/UIImage.h"
#include "UIKit/UILabel.h"

enum UIButtonType : NSInteger { UIButtonTypeCustom = 0, UIButtonTypeSystem = 1 };

class UIButton : public UIControl {
    OBJC_INTERFACE(UIButton, UIControl)

public:
    UIButton() = default;
    static Ref<UIButton> buttonWithType(UIButtonType type);

    UIImage* backgroundImageForState(UIControlState state) const;
    void setBackgroundImage(UIImage* image, UIControlState state);
    bool showsTouchWhenHighlighted() const { return showsTouch_; }
    void setShowsTouchWhenHighlighted(bool shows) { showsTouch_ = shows; }
    UIButtonType buttonType() const { return type_; }

    // A state without its own title or title colour shows the normal state's.
    std::string titleForState(UIControlState state) const;
    void setTitle(const std::string& title, UIControlState state);
    UIColor* titleColorForState(UIControlState state) const;
    void setTitleColor(UIColor* colour, UIControlState state);
    // The label showing the current title, made on first use; its font is the button's to change.
    UILabel* titleLabel();
    // Selected or normal.
    UIControlState state() const { return isSelected() ? UIControlStateSelected : UIControlStateNormal; }
    void setSelected(bool selected) override;

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    // The title's width with 10 points either side, at least the current height (or 30) high.
    CGSize sizeThatFits(CGSize size) const override;

private:
    UIButtonType type_ = UIButtonTypeCustom;
    std::map<unsigned long, Ref<UIImage>> backgrounds_;
    bool showsTouch_ = false;
    std::map<unsigned long, std::string> titles_;
    std::map<unsigned long, Ref<UIColor>> titleColours_;
    Ref<UILabel> titleLabel_;
};
