// Paths and fills through UIKit's drawing calls, checked pixel by pixel at scale 1.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "UIKit/UIBezierPath.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIGraphics.h"

using Pixel = std::array<uint8_t, 4>;

namespace {

constexpr Pixel clear{0, 0, 0, 0}, red{255, 0, 0, 255}, blue{0, 0, 255, 255};

// What `draw` leaves in a fresh transparent context of 20 x 20 points at scale 1.
Ref<CGImage> paint(const std::function<void()>& draw) {
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 20), false, 1);
    draw();
    Ref<CGImage> image = UIGraphicsGetImageFromCurrentImageContext()->CGImage();
    UIGraphicsEndImageContext();
    return image;
}

}  // namespace

TEST(UIBezierPath, ShapesFillTheirInsideOnly) {
    auto image = paint([] {
        UIColor::redColor()->setFill();
        UIBezierPath::bezierPathWithOvalInRect(CGRectMake(0, 0, 10, 10))->fill();
        UIBezierPath::bezierPathWithRoundedRect(CGRectMake(10, 10, 10, 10), 4)->fill();
        auto triangle = UIBezierPath::bezierPath();
        triangle->moveToPoint({10, 0});
        triangle->addLineToPoint({20, 0});
        triangle->addLineToPoint({20, 10});
        triangle->closePath();
        triangle->fill();
    });
    EXPECT_EQ(image->pixel(5, 5), red);
    EXPECT_EQ(image->pixel(0, 0), clear) << "outside the oval's curve";
    EXPECT_EQ(image->pixel(8, 4), red) << "near the oval's widest";
    EXPECT_EQ(image->pixel(10, 10), clear) << "a rounded corner";
    EXPECT_EQ(image->pixel(11, 15), red);
    EXPECT_EQ(image->pixel(18, 1), red);
    EXPECT_EQ(image->pixel(11, 8), clear) << "below the triangle's long side";
}

TEST(UIBezierPath, StrokesFollowTheOutlineInThePathsOwnWidthAndCap) {
    auto image = paint([] {
        UIColor::blueColor()->set();
        auto frame = UIBezierPath::bezierPathWithRect(CGRectMake(2, 2, 8, 8));
        frame->setLineWidth(2);
        frame->stroke();
        auto line = UIBezierPath::bezierPath();
        line->moveToPoint({14.5, 4});
        line->addLineToPoint({14.5, 8});
        line->setLineWidth(4);
        line->setLineCapStyle(kCGLineCapRound);
        line->stroke();
    });
    EXPECT_EQ(image->pixel(1, 5), blue);
    EXPECT_EQ(image->pixel(5, 2), blue);
    EXPECT_EQ(image->pixel(5, 5), clear) << "a stroke leaves the inside";
    EXPECT_EQ(image->pixel(0, 5), clear) << "two points wide, one each side of the edge";
    EXPECT_EQ(image->pixel(14, 8), blue) << "the round cap reaches past the end";
    EXPECT_EQ(image->pixel(14, 11), clear);
}

TEST(UIBezierPath, ClockwiseArcsTurnDownwardsOnTheScreen) {
    auto image = paint([] {
        UIColor::redColor()->setStroke();
        auto below = UIBezierPath::bezierPathWithArcCenter({10, 10}, 6, 0, M_PI, true);
        below->setLineWidth(2);
        below->stroke();
    });
    EXPECT_EQ(image->pixel(9, 15), red) << "through the bottom";
    EXPECT_EQ(image->pixel(10, 3), clear);
}

TEST(UIBezierPath, DrawingLeavesTheContextsStateAndUIRectFillReplaces) {
    auto image = paint([] {
        CGContextRef c = UIGraphicsGetCurrentContext();
        CGContextSetLineWidth(c, 1);
        UIColor::blueColor()->setFill();
        UIRectFill(CGRectMake(0, 0, 20, 20));
        auto wide = UIBezierPath::bezierPathWithRect(CGRectMake(0, 0, 4, 4));
        wide->setLineWidth(6);
        wide->stroke();
        // The context's own line width is back for a plain CoreGraphics stroke.
        CGContextSetRGBStrokeColor(c, 1, 0, 0, 1);
        CGContextMoveToPoint(c, 10, 12.5);
        CGContextAddLineToPoint(c, 20, 12.5);
        CGContextDrawPath(c, kCGPathStroke);
        UIColor::colorWithRed(0, 1, 0, 0.5)->setFill();
        UIRectFill(CGRectMake(0, 16, 4, 4));
    });
    EXPECT_EQ(image->pixel(15, 12), red);
    EXPECT_EQ(image->pixel(15, 13), blue) << "one point wide, not six";
    EXPECT_EQ(image->pixel(1, 17), (Pixel{0, 255, 0, 128})) << "copied over the blue, not blended";
}
