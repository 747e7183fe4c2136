#include "UIShapes.h"

namespace {

void setStroke(CGContextRef c, const UIColor* colour, CGFloat lineWidth) {
    CGContextSetRGBStrokeColor(c, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextSetLineWidth(c, lineWidth);
    CGContextSetLineCap(c, kCGLineCapRound);
}

// The stroke stays inside the rect: the ends sit half a line width in from its edges.
void drawChevron(CGContextRef c, CGRect rect, bool pointingRight, const UIColor* colour, CGFloat lineWidth) {
    if (!c || !colour) return;
    const CGFloat inset = lineWidth / 2;
    const CGFloat tipX = pointingRight ? CGRectGetMaxX(rect) - inset : rect.origin.x + inset;
    const CGFloat backX = pointingRight ? rect.origin.x + inset : CGRectGetMaxX(rect) - inset;
    setStroke(c, colour, lineWidth);
    CGContextMoveToPoint(c, backX, rect.origin.y + inset);
    CGContextAddLineToPoint(c, tipX, CGRectGetMidY(rect));
    CGContextAddLineToPoint(c, backX, CGRectGetMaxY(rect) - inset);
    CGContextDrawPath(c, kCGPathStroke);
}

}  // namespace

void UIDrawChevron(CGContextRef c, CGRect rect, const UIColor* colour, CGFloat lineWidth) {
    drawChevron(c, rect, true, colour, lineWidth);
}

void UIDrawBackChevron(CGContextRef c, CGRect rect, const UIColor* colour, CGFloat lineWidth) {
    drawChevron(c, rect, false, colour, lineWidth);
}

void UIDrawCheckMark(CGContextRef c, CGRect rect, const UIColor* colour) {
    if (!c || !colour) return;
    setStroke(c, colour, 2);
    const CGFloat x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
    CGContextMoveToPoint(c, x + 1, y + h * 0.55);
    CGContextAddLineToPoint(c, x + w * 0.36, y + h - 1);
    CGContextAddLineToPoint(c, x + w - 1, y + 1);
    CGContextDrawPath(c, kCGPathStroke);
}
