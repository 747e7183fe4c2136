#include "UIShapes.h"

namespace {

void beginStroke(CGContextRef context, const UIColor* colour, CGFloat width) {
    CGContextSetRGBStrokeColor(context, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextSetLineWidth(context, width);
    CGContextSetLineCap(context, kCGLineCapRound);
}

}  // namespace

void UIDrawChevron(CGContextRef context, CGRect rect, UIColor* colour, CGFloat width) {
    if (!context || !colour) return;
    const CGFloat inset = width / 2;
    const CGFloat backX = rect.origin.x + inset, tipX = CGRectGetMaxX(rect) - inset;
    CGContextSaveGState(context);
    beginStroke(context, colour, width);
    CGContextMoveToPoint(context, backX, rect.origin.y + inset);
    CGContextAddLineToPoint(context, tipX, CGRectGetMidY(rect));
    CGContextAddLineToPoint(context, backX, CGRectGetMaxY(rect) - inset);
    CGContextDrawPath(context, kCGPathStroke);
    CGContextRestoreGState(context);
}

void UIDrawCheckMark(CGContextRef context, CGRect rect, UIColor* colour) {
    if (!context || !colour) return;
    const CGFloat x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
    CGContextSaveGState(context);
    beginStroke(context, colour, 2);
    CGContextMoveToPoint(context, x + 1, y + h * 0.55);
    CGContextAddLineToPoint(context, x + w * 0.36, y + h - 1);
    CGContextAddLineToPoint(context, x + w - 1, y + 1);
    CGContextDrawPath(context, kCGPathStroke);
    CGContextRestoreGState(context);
}
