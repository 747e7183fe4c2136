#include "UIKit/UIStatusBar.h"

#include "UIKit/UIGraphics.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIStringDrawing.h"

OBJC_IMPLEMENTATION(UIStatusBar)

namespace {
constexpr CGFloat kDot = 5.5, kDotGap = 1, kMargin = 6;

void setFill(CGContextRef c, const UIColor* colour, CGFloat alpha = 1) {
    CGContextSetRGBFillColor(c, colour->red(), colour->green(), colour->blue(), colour->alpha() * alpha);
}

// Five dots of signal strength, all full.
CGFloat drawSignal(CGContextRef c, const UIColor* colour, CGFloat midY) {
    setFill(c, colour);
    CGFloat x = kMargin;
    for (int i = 0; i < 5; ++i, x += kDot + kDotGap) CGContextFillEllipseInRect(c, CGRectMake(x, midY - kDot / 2, kDot, kDot));
    return x;
}

// A full battery: an outline, its fill, and the terminal nub.
void drawBattery(CGContextRef c, const UIColor* colour, CGRect body) {
    CGContextSetRGBStrokeColor(c, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextSetLineWidth(c, 1);
    CGContextAddRoundedRect(c, CGRectInset(body, 0.5, 0.5), 2);
    CGContextDrawPath(c, kCGPathStroke);
    setFill(c, colour);
    CGContextFillRect(c, CGRectInset(body, 2, 2));
    CGContextFillRect(c, CGRectMake(CGRectGetMaxX(body) + 0.5, CGRectGetMidY(body) - 2, 1.5, 4));
}
}  // namespace

UIStatusBar::UIStatusBar()
    : UIView(CGRectMake(0, 0, UIScreen::mainScreen()->bounds().size.width, kHeight)),
      foregroundColor_(UIColor::blackColor()) {
    setUserInteractionEnabled(false);
}

void UIStatusBar::drawRect(CGRect rect) {
    if (!foregroundColor_) return;
    CGContextRef c = UIGraphicsGetCurrentContext();
    const CGFloat midY = CGRectGetMidY(rect), width = rect.size.width;
    Ref<UIFont> font = UIFont::fontWithName("HelveticaNeue-Medium", 12);
    const CGFloat afterDots = drawSignal(c, foregroundColor_, midY) + 3;
    UIDrawText(c, "Carrier", CGRectMake(afterDots, 0, 100, kHeight), font, foregroundColor_, NSTextAlignmentLeft);
    UIDrawText(c, "9:41 AM", CGRectMake(width / 2 - 60, 0, 120, kHeight), font, foregroundColor_, NSTextAlignmentCenter);
    const CGRect battery = CGRectMake(width - kMargin - 2 - 24, midY - 5.5, 24, 11);
    drawBattery(c, foregroundColor_, battery);
    UIDrawText(c, "100%", CGRectMake(battery.origin.x - 4 - 60, 0, 60, kHeight), font, foregroundColor_, NSTextAlignmentRight);
}
