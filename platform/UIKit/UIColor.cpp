#include "UIKit/UIColor.h"

#include "UIKit/UIGraphics.h"

#include <cmath>
#include <cstdio>

// The class methods a tweak sends; a made colour is autoreleased, as UIKit's convenience constructors are.
OBJC_IMPLEMENTATION(UIColor,
    objc::classMethod("colorWithRed:green:blue:alpha:", [](id, SEL, double r, double g, double b, double a) -> id {
        return objc::autorelease(UIColor::colorWithRed(r, g, b, a));
    }),
    objc::classMethod("blackColor", [](id, SEL) -> id { return UIColor::blackColor(); }),
    objc::classMethod("darkGrayColor", [](id, SEL) -> id { return UIColor::darkGrayColor(); }),
    objc::classMethod("lightGrayColor", [](id, SEL) -> id { return UIColor::lightGrayColor(); }),
    objc::classMethod("whiteColor", [](id, SEL) -> id { return UIColor::whiteColor(); }),
    objc::classMethod("grayColor", [](id, SEL) -> id { return UIColor::grayColor(); }),
    objc::classMethod("redColor", [](id, SEL) -> id { return UIColor::redColor(); }),
    objc::classMethod("greenColor", [](id, SEL) -> id { return UIColor::greenColor(); }),
    objc::classMethod("blueColor", [](id, SEL) -> id { return UIColor::blueColor(); }),
    objc::classMethod("cyanColor", [](id, SEL) -> id { return UIColor::cyanColor(); }),
    objc::classMethod("yellowColor", [](id, SEL) -> id { return UIColor::yellowColor(); }),
    objc::classMethod("magentaColor", [](id, SEL) -> id { return UIColor::magentaColor(); }),
    objc::classMethod("orangeColor", [](id, SEL) -> id { return UIColor::orangeColor(); }),
    objc::classMethod("purpleColor", [](id, SEL) -> id { return UIColor::purpleColor(); }),
    objc::classMethod("brownColor", [](id, SEL) -> id { return UIColor::brownColor(); }),
    objc::classMethod("clearColor", [](id, SEL) -> id { return UIColor::clearColor(); }))

namespace {
// Standard colours are created once and never released, as UIKit's shared instances are.
UIColor* shared(double r, double g, double b, double a = 1.0) { return make<UIColor>(r, g, b, a).leak(); }
}  // namespace

Ref<UIColor> UIColor::colorWithRed(double red, double green, double blue, double alpha) {
    return make<UIColor>(red, green, blue, alpha);
}

UIColor* UIColor::blackColor() { static UIColor* c = shared(0, 0, 0); return c; }
UIColor* UIColor::darkGrayColor() { static UIColor* c = shared(1.0 / 3, 1.0 / 3, 1.0 / 3); return c; }
UIColor* UIColor::lightGrayColor() { static UIColor* c = shared(2.0 / 3, 2.0 / 3, 2.0 / 3); return c; }
UIColor* UIColor::whiteColor() { static UIColor* c = shared(1, 1, 1); return c; }
UIColor* UIColor::grayColor() { static UIColor* c = shared(0.5, 0.5, 0.5); return c; }
UIColor* UIColor::redColor() { static UIColor* c = shared(1, 0, 0); return c; }
UIColor* UIColor::greenColor() { static UIColor* c = shared(0, 1, 0); return c; }
UIColor* UIColor::blueColor() { static UIColor* c = shared(0, 0, 1); return c; }
UIColor* UIColor::cyanColor() { static UIColor* c = shared(0, 1, 1); return c; }
UIColor* UIColor::yellowColor() { static UIColor* c = shared(1, 1, 0); return c; }
UIColor* UIColor::magentaColor() { static UIColor* c = shared(1, 0, 1); return c; }
UIColor* UIColor::orangeColor() { static UIColor* c = shared(1, 0.5, 0); return c; }
UIColor* UIColor::purpleColor() { static UIColor* c = shared(0.5, 0, 0.5); return c; }
UIColor* UIColor::brownColor() { static UIColor* c = shared(0.6, 0.4, 0.2); return c; }
UIColor* UIColor::clearColor() { static UIColor* c = shared(0, 0, 0, 0); return c; }

bool UIColor::_isSimilarToColor(const UIColor* other, double tolerance) const {
    if (!other) return false;
    for (size_t i = 0; i < 4; ++i)
        if (std::fabs(rgba_[i] - other->rgba_[i]) > tolerance) return false;
    return true;
}

std::string UIColor::description() const {
    char buf[96];
    std::snprintf(buf, sizeof buf, "UIColor(%g, %g, %g, %g)", rgba_[0], rgba_[1], rgba_[2], rgba_[3]);
    return buf;
}

void UIColor::setFill() const { CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), rgba_[0], rgba_[1], rgba_[2], rgba_[3]); }

void UIColor::setStroke() const {
    CGContextSetRGBStrokeColor(UIGraphicsGetCurrentContext(), rgba_[0], rgba_[1], rgba_[2], rgba_[3]);
}

void UIColor::set() const {
    setFill();
    setStroke();
}
