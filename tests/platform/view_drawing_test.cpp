#include <gtest/gtest.h>

#include "ViewPicture.h"

using viewpicture::draw;
using viewpicture::Pixel;

namespace {

constexpr Pixel white{255, 255, 255, 255}, red{255, 0, 0, 255}, blue{0, 0, 255, 255}, green{0, 255, 0, 255};

// Paints a green band along its top, reaching past its right edge, over its background.
class Banded : public UIView {
    OBJC_INTERFACE(Banded, UIView)

public:
    Banded() = default;
    void drawRect(CGRect rect) override {
        drawnIn = rect;
        UIGraphicsFillRect(UIGraphicsGetCurrentContext(), CGRectMake(1, 0, 20, 1), UIColor::greenColor());
    }
    CGRect drawnIn{};
};

Ref<UIView> box(CGRect frame, UIColor* colour, UIView* parent) {
    auto view = make<UIView>(frame);
    view->setBackgroundColor(colour);
    parent->addSubview(view);
    return view;
}

}  // namespace

OBJC_IMPLEMENTATION(Banded)

TEST(ViewDrawing, SiblingsPaintInOrderAndChildrenOutsideTheParentShowUnlessItClips) {
    auto root = make<UIView>(CGRectMake(50, 50, 20, 10));  // its own origin does not move the picture
    root->setBackgroundColor(UIColor::whiteColor());
    box(CGRectMake(0, 0, 6, 6), UIColor::redColor(), root);
    box(CGRectMake(3, 3, 6, 4), UIColor::blueColor(), root);
    auto parent = box(CGRectMake(10, 0, 4, 4), nullptr, root);
    box(CGRectMake(2, 2, 4, 4), UIColor::greenColor(), parent);  // half outside its parent
    auto hidden = box(CGRectMake(0, 7, 20, 3), UIColor::blueColor(), root);
    hidden->setHidden(true);
    box(CGRectMake(0, 0, 20, 3), UIColor::redColor(), hidden);  // skipped with it

    Ref<CGImage> image = draw(root);
    EXPECT_EQ(image->pixel(1, 1), red);
    EXPECT_EQ(image->pixel(4, 4), blue) << "the later sibling is on top";
    EXPECT_EQ(image->pixel(15, 5), green) << "drawn past the parent's bounds";
    EXPECT_EQ(image->pixel(5, 8), white) << "hidden subtree";

    parent->setClipsToBounds(true);
    image = draw(root);
    EXPECT_EQ(image->pixel(13, 3), green);
    EXPECT_EQ(image->pixel(15, 5), white) << "cut off at the parent's bounds";
}

TEST(ViewDrawing, BackgroundThenDrawRectInTheViewsOwnClippedCoordinates) {
    auto root = make<UIView>(CGRectMake(0, 0, 20, 10));
    root->setBackgroundColor(UIColor::whiteColor());
    auto holder = box(CGRectMake(2, 2, 10, 6), nullptr, root);
    auto banded = make<Banded>();
    banded->setFrame(CGRectMake(2, 2, 4, 4));
    banded->setBackgroundColor(UIColor::redColor());
    holder->addSubview(banded);

    Ref<CGImage> image = draw(root);
    EXPECT_TRUE(banded->drawnIn == CGRectMake(0, 0, 4, 4));
    EXPECT_EQ(image->pixel(4, 4), red) << "the background at the summed origins";
    EXPECT_EQ(image->pixel(5, 4), green) << "drawRect over the background";
    EXPECT_EQ(image->pixel(8, 4), white) << "drawRect is clipped to the bounds";

    EXPECT_FALSE(root->drawViewHierarchyInRect(root->bounds())) << "no current context";
}

TEST(ViewDrawing, AHalfTransparentViewIsCompositedOnceWithItsSubviews) {
    auto root = make<UIView>(CGRectMake(0, 0, 10, 10));
    root->setBackgroundColor(UIColor::whiteColor());
    auto faded = box(CGRectMake(0, 0, 6, 6), UIColor::redColor(), root);
    faded->setAlpha(0.5);
    box(CGRectMake(3, 3, 6, 6), UIColor::redColor(), faded);
    box(CGRectMake(0, 8, 2, 2), UIColor::redColor(), root)->setAlpha(0);

    Ref<CGImage> image = draw(root);
    const Pixel half = image->pixel(1, 1);
    EXPECT_NEAR(half[1], 128, 1) << "half red over white";
    EXPECT_EQ(image->pixel(4, 4), half) << "overlap within the view is not darker";
    EXPECT_EQ(image->pixel(7, 7), half) << "the subview outside the parent fades with it";
    EXPECT_EQ(image->pixel(1, 9), white) << "alpha 0 draws nothing";
}
