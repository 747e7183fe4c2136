// Text drawn through the platform's string drawing: the weight a font names is the weight drawn,
// and a text too long for its box ends in an ellipsis inside the box.

#include <gtest/gtest.h>

#include "UIKit/UIGraphics.h"
#include "UIKit/UIStringDrawing.h"

namespace {

// The text drawn black on white in a box of `width` points at scale 2; returns the picture.
Ref<CGImage> drawn(const std::string& text, const char* font, double width) {
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(300, 40), true, 2);
    CGContextRef c = UIGraphicsGetCurrentContext();
    UIGraphicsFillRect(c, CGRectMake(0, 0, 300, 40), UIColor::whiteColor());
    UIDrawText(c, text, CGRectMake(10, 0, width, 40), UIFont::fontWithName(font, 24), UIColor::blackColor(), NSTextAlignmentLeft);
    Ref<CGImage> picture = UIGraphicsGetImageFromCurrentImageContext()->CGImage();
    UIGraphicsEndImageContext();
    return picture;
}

// Total darkness of the picture's pixels left of pixel column `from` and from it on.
std::pair<long, long> ink(const Ref<CGImage>& picture, int from) {
    long before = 0, after = 0;
    for (int y = 0; y < picture->height(); ++y)
        for (int x = 0; x < picture->width(); ++x) (x < from ? before : after) += 255 - picture->pixel(x, y)[0];
    return {before, after};
}

}  // namespace

TEST(TextDrawing, ThinLightRegularAndBoldAreDifferentFaces) {
    const long thin = ink(drawn("Corvane", "HelveticaNeue-Thin", 280), 0).second;
    const long light = ink(drawn("Corvane", "HelveticaNeue-Light", 280), 0).second;
    const long regular = ink(drawn("Corvane", "HelveticaNeue", 280), 0).second;
    const long bold = ink(drawn("Corvane", "HelveticaNeue-Bold", 280), 0).second;
    EXPECT_LT(thin * 1.15, light);
    EXPECT_LT(light * 1.15, regular);
    EXPECT_LT(regular * 1.3, bold);
    EXPECT_LT(UITextWidth("Corvane", UIFont::fontWithName("HelveticaNeue", 24)),
              UITextWidth("Corvane", UIFont::fontWithName("HelveticaNeue-Bold", 24)));
}

TEST(TextDrawing, TooLongATextEndsInAnEllipsisWithinItsBox) {
    const std::string text = "Couleur de l'arrière-plan de la barre d'état";
    ASSERT_GT(UITextWidth(text, UIFont::fontWithName("HelveticaNeue", 24)), 200);
    auto [inside, outside] = ink(drawn(text, "HelveticaNeue", 100), 2 * (10 + 100));
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0) << "nothing drawn past the box";
    // The text ends in dots on the baseline: the last 5 points of ink hold nothing above the
    // lower case letters' height, where a letter cut mid-way would show its upper part.
    auto picture = drawn(text, "HelveticaNeue", 100);
    int last = 0;
    for (int y = 0; y < picture->height(); ++y)
        for (int x = 0; x < picture->width(); ++x)
            if (picture->pixel(x, y)[0] < 128) last = std::max(last, x);
    int high = 0, low = 0;
    for (int y = 0; y < picture->height(); ++y)
        for (int x = last - 10; x <= last; ++x) (y < 2 * 21 ? high : low) += picture->pixel(x, y)[0] < 128;
    EXPECT_EQ(high, 0);
    EXPECT_GT(low, 4);
}
