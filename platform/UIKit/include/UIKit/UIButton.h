#pragma once
// A button: a control with a background image per state.

#include <map>

#include "UIKit/UIControl.h"
#include "UIKit/UIImage.h"

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

private:
    UIButtonType type_ = UIButtonTypeCustom;
    std::map<unsigned long, Ref<UIImage>> backgrounds_;
    bool showsTouch_ = false;
};
