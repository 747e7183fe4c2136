#include "PictureParts.h"

#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIStringDrawing.h"

namespace settings {
namespace {

void setStroke(CGContextRef c, const UIColor* colour, double lineWidth) {
    CGContextSetRGBStrokeColor(c, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextSetLineWidth(c, lineWidth);
    CGContextSetLineCap(c, kCGLineCapRound);
}

}  // namespace

void fillRounded(CGContextRef c, CGRect rect, double radius, const UIColor* colour) {
    if (!colour) return;
    CGContextSetRGBFillColor(c, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextAddRoundedRect(c, rect, radius);
    CGContextDrawPath(c, kCGPathFill);
}

void drawImage(CGContextRef c, const UIImage* image, CGRect rect) {
    if (!image) return;
    CGContextSaveGState(c);
    // Images land upright in this top-down context only with the axis flipped, as on the device.
    CGContextTranslateCTM(c, 0, rect.origin.y * 2 + rect.size.height);
    CGContextScaleCTM(c, 1, -1);
    CGContextDrawImage(c, rect, image->CGImage());
    CGContextRestoreGState(c);
}

void drawChevron(CGContextRef c, CGRect rect, bool pointingRight, const UIColor* colour, double lineWidth) {
    if (!colour) return;
    const double inset = lineWidth / 2;
    const double tipX = pointingRight ? CGRectGetMaxX(rect) - inset : rect.origin.x + inset;
    const double backX = pointingRight ? rect.origin.x + inset : CGRectGetMaxX(rect) - inset;
    setStroke(c, colour, lineWidth);
    CGContextMoveToPoint(c, backX, rect.origin.y + inset);
    CGContextAddLineToPoint(c, tipX, CGRectGetMidY(rect));
    CGContextAddLineToPoint(c, backX, CGRectGetMaxY(rect) - inset);
    CGContextDrawPath(c, kCGPathStroke);
}

void drawCheck(CGContextRef c, CGRect rect, const UIColor* colour) {
    if (!colour) return;
    setStroke(c, colour, 2);
    const double x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
    CGContextMoveToPoint(c, x + 1, y + h * 0.55);
    CGContextAddLineToPoint(c, x + w * 0.36, y + h - 1);
    CGContextAddLineToPoint(c, x + w - 1, y + 1);
    CGContextDrawPath(c, kCGPathStroke);
}

void drawSwitch(CGContextRef c, const UISwitch* control, CGRect track) {
    UIColor* on = control->effectiveOnTintColor() ? control->effectiveOnTintColor()
                                                  : UIColor::colorWithRed(76 / 255.0, 217 / 255.0, 100 / 255.0, 1).get();
    UIColor* outline = control->effectiveTintColor() ? control->effectiveTintColor()
                                                     : UIColor::colorWithRed(0.9, 0.9, 0.9, 1).get();
    // On: filled with the on tint. Off: white inside the outline tint.
    UIColor* trackColour = control->isOn() ? on : UIColor::whiteColor();
    CGContextSetRGBFillColor(c, trackColour->red(), trackColour->green(), trackColour->blue(), trackColour->alpha());
    setStroke(c, outline, 1.5);
    CGContextAddRoundedRect(c, track, track.size.height / 2);
    CGContextDrawPath(c, control->isOn() ? kCGPathFill : kCGPathFillStroke);
    const double knob = track.size.height - 3;
    const double knobX = control->isOn() ? CGRectGetMaxX(track) - 1.5 - knob : track.origin.x + 1.5;
    CGContextSetRGBStrokeColor(c, 0.8, 0.8, 0.8, 1);
    CGContextSetRGBFillColor(c, 1, 1, 1, 1);
    CGContextSetLineWidth(c, 0.5);
    CGContextAddEllipseInRect(c, CGRectMake(knobX, track.origin.y + 1.5, knob, knob));
    CGContextDrawPath(c, kCGPathFillStroke);
}

void drawView(CGContextRef c, const UIView* view, CGPoint origin) {
    if (!view || view->isHidden()) return;
    const CGRect f = view->frame();
    const CGRect at = CGRectMake(origin.x + f.origin.x, origin.y + f.origin.y, f.size.width, f.size.height);
    UIGraphicsFillRect(c, at, view->backgroundColor());
    if (auto* label = objc_cast<UILabel>(view))
        UIDrawText(c, label->text(), at, label->font(), label->textColor(), label->textAlignment());
    if (auto* imageView = objc_cast<UIImageView>(view)) drawImage(c, imageView->image(), at);
    for (const auto& child : view->subviews()) drawView(c, child, at.origin);
}

}  // namespace settings
