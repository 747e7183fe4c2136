#include <gtest/gtest.h>

#include "UIKit/UIStringDrawing.h"
#include "ViewPicture.h"

using viewpicture::count;
using viewpicture::draw;
using viewpicture::inked;
using viewpicture::Pixel;

namespace {

bool reddish(Pixel p) { return p[3] > 128 && p[0] > 150 && p[1] < 100 && p[2] < 100; }

Ref<UIView> ground(CGFloat width, CGFloat height) { return make<UIView>(CGRectMake(0, 0, width, height)); }

}  // namespace

TEST(LeafViewDrawing, ALabelStaysInItsFrameEndingInAnEllipsisOrWrapping) {
    auto root = ground(200, 80);
    auto line = make<UILabel>(CGRectMake(10, 0, 60, 20));
    line->setText("A label far too long for sixty points");
    line->setTextColor(UIColor::redColor());
    root->addSubview(line);
    auto wrapped = make<UILabel>(CGRectMake(100, 20, 90, 60));
    wrapped->setText("Words that wrap over several lines");
    wrapped->setNumberOfLines(0);
    root->addSubview(wrapped);

    Ref<CGImage> image = draw(root);
    EXPECT_GT(count(image, 10, 0, 60, 20, reddish), 40) << "drawn in its text colour";
    EXPECT_EQ(count(image, 70, 0, 30, 20, inked), 0) << "cut at the frame by the ellipsis";
    EXPECT_GT(count(image, 100, 20, 90, 20, inked), 20);
    EXPECT_GT(count(image, 100, 40, 90, 20, inked), 20) << "a second line below the first";
    EXPECT_EQ(count(image, 190, 20, 10, 60, inked), 0);

    EXPECT_GT(line->sizeThatFits({}).width, 200) << "one line: the whole text's width";
    EXPECT_EQ(wrapped->sizeThatFits({90, 0}).width, 90);
    EXPECT_GT(wrapped->sizeThatFits({90, 0}).height, 40);
}

TEST(LeafViewDrawing, ASwitchShowsItsValueByTrackAndKnob) {
    auto root = ground(51, 31);
    auto control = make<UISwitch>();
    root->addSubview(control);
    const Pixel stockOn{76, 217, 100, 255}, white{255, 255, 255, 255};

    Ref<CGImage> off = draw(root);
    EXPECT_EQ(off->pixel(40, 15), white) << "white track where the knob is not";
    EXPECT_EQ(off->pixel(0, 0)[3], 0) << "the rounded corner stays clear";

    control->setOn(true);
    Ref<CGImage> on = draw(root);
    EXPECT_EQ(on->pixel(6, 15), stockOn) << "the track in the stock on tint";
    EXPECT_EQ(on->pixel(36, 15), white) << "the knob at the right end";

    control->setOnTintColor(UIColor::redColor());
    EXPECT_TRUE(reddish(draw(root)->pixel(6, 15)));
}

TEST(LeafViewDrawing, AButtonDrawsItsBackgroundAndATitleInTheStatesColour) {
    auto root = ground(100, 30);
    root->setTintColor(UIColor::redColor());
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setTitle("Post", UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::fontWithName("HelveticaNeue-Bold", 17));
    button->sizeToFit();
    root->addSubview(button);

    EXPECT_NEAR(button->frame().size.width, UITextWidth("Post", button->titleLabel()->font()) + 20, 1);
    Ref<CGImage> image = draw(root);
    EXPECT_GT(count(image, 0, 0, 100, 30, reddish), 20) << "a system button's title is in the tint";

    button->setTitleColor(UIColor::blueColor(), UIControlStateNormal);
    button->setSelected(true);  // no selected colour: falls back to the normal one
    image = draw(root);
    EXPECT_EQ(count(image, 0, 0, 100, 30, reddish), 0);
    EXPECT_GT(count(image, 0, 0, 100, 30, [](Pixel p) { return p[3] > 128 && p[2] > 150 && p[0] < 100; }), 20);
}

TEST(LeafViewDrawing, ImagesAreScaledIntoTheirViewsAndUpright) {
    // A 2 x 2 image: red on the top row, blue below.
    UIGraphicsBeginImageContextWithOptions({2, 2}, false, 1);
    UIGraphicsFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 2, 1), UIColor::redColor());
    UIGraphicsFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 1, 2, 1), UIColor::blueColor());
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    auto root = ground(20, 20);
    auto view = make<UIImageView>(image);
    view->setFrame(CGRectMake(0, 0, 20, 20));
    root->addSubview(view);
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setBackgroundImage(image, UIControlStateNormal);
    button->sizeToFit();
    EXPECT_TRUE(button->frame().size == CGSizeMake(2, 2)) << "an untitled button takes its image's size";

    Ref<CGImage> picture = draw(root);
    EXPECT_TRUE(reddish(picture->pixel(10, 2)));
    EXPECT_TRUE(reddish(picture->pixel(10, 8))) << "the top half is the image's top row";
    EXPECT_FALSE(reddish(picture->pixel(10, 12)));
}

TEST(LeafViewDrawing, TheStatusBarDrawsItsItemsOnlyWithAForegroundColour) {
    auto bar = make<UIStatusBar>();
    Ref<CGImage> image = draw(bar);
    EXPECT_EQ(image->pixel(160, 19)[3], 0) << "see-through below its items";
    EXPECT_GT(count(image, 0, 0, 40, 20, inked), 20) << "signal dots";
    EXPECT_GT(count(image, 130, 0, 60, 20, inked), 20) << "time";
    EXPECT_GT(count(image, 280, 0, 40, 20, inked), 40) << "battery";

    bar->setForegroundColor(nullptr);
    EXPECT_EQ(count(draw(bar), 0, 0, 320, 20, inked), 0);
}
