#include "UIKit/UIGraphics.h"

#include <cmath>
#include <vector>

#include "UIKit/UIScreen.h"

namespace {
struct ImageContext {
    Ref<CGContext> context;  // nil for a context that could not be opened
};
std::vector<ImageContext>& contexts() {
    static std::vector<ImageContext> stack;
    return stack;
}
}  // namespace

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale) {
    if (scale <= 0) scale = UIScreen::mainScreen()->scale();
    Ref<CGImage> bitmap = CGImage::create(static_cast<int>(std::ceil(size.width * scale)),
                                          static_cast<int>(std::ceil(size.height * scale)));
    Ref<CGContext> context = bitmap ? make<CGContext>(bitmap, scale) : nullptr;
    if (context && opaque) {
        CGContextSetRGBFillColor(context, 0, 0, 0, 1);
        CGContextFillRect(context, CGRectMake(0, 0, size.width, size.height));
    }
    contexts().push_back({context});
}

CGContextRef UIGraphicsGetCurrentContext() { return contexts().empty() ? nullptr : contexts().back().context.get(); }

Ref<UIImage> UIGraphicsGetImageFromCurrentImageContext() {
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context) return nullptr;
    // A copy, so drawing on afterwards does not change the image handed out.
    CGImage* source = context->image();
    Ref<CGImage> copy = CGImage::create(source->width(), source->height());
    {
        auto copier = make<CGContext>(copy, 1);
        CGContextSetBlendMode(copier, kCGBlendModeCopy);
        CGContextTranslateCTM(copier, 0, source->height());
        CGContextScaleCTM(copier, 1, -1);
        CGContextDrawImage(copier, CGRectMake(0, 0, source->width(), source->height()), source);
    }
    return UIImage::imageWithCGImage(copy, context->scale());
}

void UIGraphicsEndImageContext() {
    if (!contexts().empty()) contexts().pop_back();
}

void UIRectFill(CGRect rect) { UIRectFillUsingBlendMode(rect, kCGBlendModeCopy); }

void UIRectFillUsingBlendMode(CGRect rect, CGBlendMode mode) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context) return;
    CGContextSaveGState(context);
    CGContextSetBlendMode(context, mode);
    CGContextFillRect(context, rect);
    CGContextRestoreGState(context);
}

void UIGraphicsFillRect(CGContextRef context, CGRect rect, const UIColor* colour) {
    if (!context || !colour) return;
    CGContextSetRGBFillColor(context, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextFillRect(context, rect);
}
