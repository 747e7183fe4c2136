#pragma once
// The tab bar along the bottom of the screen: a light bar with a hairline on top, and its buttons
// side by side, each as wide as the others. A button shows a glyph view over its title, both in the
// tint its state was given.

#include <map>
#include <string>

#include "UIKit/UIControl.h"
#include "UIKit/UILabel.h"

class UITabBarButton : public UIControl {
    OBJC_INTERFACE(UITabBarButton, UIControl)

public:
    static constexpr CGFloat kGlyphSide = 30;

    UITabBarButton() : UITabBarButton("", nullptr) {}
    // `glyph` draws the button's picture in its tintColor, within kGlyphSide points square.
    UITabBarButton(std::string title, UIView* glyph);

    const std::string& title() const { return titleLabel_->text(); }
    UILabel* titleLabel() const { return titleLabel_; }
    UIView* glyphView() const { return glyph_; }

    // What the registered _setContentTintColor:forState: does: keeps the colour for that state.
    virtual void _setContentTintColor(UIColor* colour, UIControlState state);
    UIColor* contentTintColorForState(UIControlState state) const;
    // What the button is drawn in: the colour of its own state, the normal one where that state
    // received none. Nil (nothing received) shows neither glyph nor title.
    UIColor* currentContentTintColor() const;

    void setSelected(bool selected) override;
    void layoutSubviews() override;

private:
    std::map<NSUInteger, Ref<UIColor>> contentTintColors_;
    Ref<UILabel> titleLabel_;
    Ref<UIView> glyph_;
};

class UITabBar : public UIView {
    OBJC_INTERFACE(UITabBar, UIView)

public:
    static constexpr CGFloat kHeight = 49;

    // Across the bottom of the screen.
    UITabBar();

    // The hairline along the top.
    void drawRect(CGRect rect) override;
    // The buttons among the subviews share the width evenly, in order.
    void layoutSubviews() override;
};
