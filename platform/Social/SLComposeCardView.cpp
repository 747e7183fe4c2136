#include "SLComposeCardView.h"

#include "UIKit/UIGraphics.h"

OBJC_IMPLEMENTATION(SLComposeCardView)

void SLComposeCardView::drawRect(CGRect rect) {
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetRGBFillColor(c, 0.98, 0.98, 0.98, 1);
    CGContextAddRoundedRect(c, rect, 8);
    CGContextDrawPath(c, kCGPathFill);
}
