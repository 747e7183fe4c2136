// The tab bar: its buttons share the width, and each shows its glyph and title in its state's tint.

#include <gtest/gtest.h>

#include "UIKit/UIKit.h"
#include "objc/message.h"

using Pixel = std::array<uint8_t, 4>;

namespace {

// A glyph that paints the middle of its square in its tint.
class SquareGlyph : public UIView {
    OBJC_INTERFACE(SquareGlyph, UIView)

public:
    SquareGlyph() = default;
    void drawRect(CGRect rect) override {
        tintColor()->setFill();
        UIRectFill(CGRectInset(rect, 10, 10));
    }
};

Ref<UITabBarButton> addButton(UITabBar* bar, const char* title) {
    auto button = make<UITabBarButton>(title, make<SquareGlyph>());
    bar->addSubview(button);
    return button;
}

void tint(UITabBarButton* button, UIColor* colour, UIControlState state) {
    objc_msgSend<void(id, NSUInteger)>(button, SELECTOR("_setContentTintColor:forState:"), colour, state);
}

// The bar drawn alone at scale 2.
Ref<CGImage> draw(UITabBar* bar) {
    bar->layoutIfNeeded();
    UIGraphicsBeginImageContextWithOptions(bar->bounds().size, true, 2);
    bar->drawViewHierarchyInRect(bar->bounds());
    Ref<CGImage> image = UIGraphicsGetImageFromCurrentImageContext()->CGImage();
    UIGraphicsEndImageContext();
    return image;
}

}  // namespace

OBJC_IMPLEMENTATION(SquareGlyph)

TEST(UITabBar, SitsAtTheBottomAndSharesItsWidthAmongItsButtonsInOrder) {
    auto bar = make<UITabBar>();
    EXPECT_EQ(bar->frame().origin.y, 568 - UITabBar::kHeight);
    auto other = make<UIView>(CGRectMake(5, 5, 10, 10));
    bar->addSubview(other);
    std::vector<Ref<UITabBarButton>> buttons;
    for (const char* title : {"A", "B", "C", "D"}) buttons.push_back(addButton(bar, title));
    bar->layoutIfNeeded();
    for (size_t i = 0; i < buttons.size(); ++i) {
        const CGRect f = buttons[i]->frame();
        EXPECT_EQ(f.origin.x, 80.0 * i) << buttons[i]->title();
        EXPECT_EQ(f.size.width, 80);
        EXPECT_EQ(f.size.height, UITabBar::kHeight);
    }
    EXPECT_EQ(other->frame().origin.x, 5) << "other views keep their place";

    buttons[1]->removeFromSuperview();
    bar->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(buttons[3]->frame().origin.x, 320.0 * 2 / 3);
    EXPECT_DOUBLE_EQ(buttons[3]->frame().size.width, 320.0 / 3);
}

TEST(UITabBar, EachGlyphAndTitleTakeTheTintOfTheButtonsStateAndNoneHideThem) {
    auto bar = make<UITabBar>();
    auto plain = addButton(bar, "Plain"), chosen = addButton(bar, "Chosen"), bare = addButton(bar, "Bare");
    UIColor *grey = UIColor::grayColor(), *red = UIColor::redColor();
    for (UITabBarButton* button : {plain.get(), chosen.get()}) {
        tint(button, grey, UIControlStateNormal);
        tint(button, red, UIControlStateSelected);
    }
    chosen->setSelected(true);
    bare->setSelected(true);

    Ref<CGImage> picture = draw(bar);
    // Glyph squares are 30 points wide, 1 below the bar's top, centred in buttons 106.7 points wide.
    const int glyphY = 2 * 16;
    EXPECT_EQ(picture->pixel(2 * 53, glyphY), (Pixel{128, 128, 128, 255})) << "normal: grey";
    EXPECT_EQ(picture->pixel(2 * 160, glyphY), (Pixel{255, 0, 0, 255})) << "selected: red";
    EXPECT_EQ(picture->pixel(2 * 267, glyphY), (Pixel{248, 248, 248, 255})) << "no tint: the bar shows";
    EXPECT_EQ(plain->titleLabel()->textColor(), grey);
    EXPECT_EQ(chosen->titleLabel()->textColor(), red);
    EXPECT_TRUE(bare->titleLabel()->isHidden());
    EXPECT_EQ(picture->pixel(2 * 267, 0), (Pixel{179, 179, 179, 255})) << "the hairline along the top";
    EXPECT_EQ(picture->pixel(2 * 267, 1), (Pixel{248, 248, 248, 255})) << "half a point thick";

    // A selected state without a colour of its own falls back to the normal one.
    tint(bare, grey, UIControlStateNormal);
    EXPECT_EQ(draw(bar)->pixel(2 * 267, glyphY), (Pixel{128, 128, 128, 255}));
}
