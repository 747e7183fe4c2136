#include "UIShapes.h"

void UIDrawChevron(CGContextRef c, CGRect rect, UIColor* colour, CGFloat width) {
    if (!c || !colour) return;
    const CGFloat inset = width / 2;
    const CGFloat backX = rect.origin.x + inset, tipX = CGRectGetMaxX(rect) - inset;
    CGContextSaveGState(c);
    CGContextSetRGBStrokeColor(c, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextSetLineWidth(c, width);
    CGContextSetLineCap(c, kCGLineCapRound);
    CGContextMoveToPoint(c, backX, rect.origin.y + inset);
    CGContextAddLineToPoint(c, tipX, CGRectGetMidY(rect));
    CGContextAddLineToPoint(c, backX, CGRectGetMaxY(rect) - inset);
    CGContextDrawPath(c, kCGPathStroke);
    CGContextRestoreGState(c);
}
