#include "toolkit/UIImage+Colored.h"

#include "UIKit/UIGraphics.h"
#include "UIKit/UIScreen.h"

Ref<UIImage> changeImageColor(const UIImage* image, const UIColor* colour) {
    if (!image) return nullptr;
    const CGSize size = image->size();
    UIGraphicsBeginImageContextWithOptions(size, false, UIScreen::mainScreen()->scale());
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (colour) colour->setFill();
    // The bitmap's origin is at the bottom left: flip so it lands upright.
    CGContextTranslateCTM(context, 0, size.height);
    CGContextScaleCTM(context, 1, -1);
    CGContextSetBlendMode(context, kCGBlendModeNormal);
    const CGRect rect = CGRectMake(0, 0, size.width, size.height);
    CGContextDrawImage(context, rect, image->CGImage());
    CGContextClipToMask(context, rect, image->CGImage());
    CGContextAddRect(context, rect);
    CGContextDrawPath(context, kCGPathFill);
    Ref<UIImage> tinted = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return tinted;
}
