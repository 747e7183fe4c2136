#include "CallButton.h"

#include "Ink.h"
#include "Received.h"
#include "UIKit/UIBezierPath.h"

OBJC_IMPLEMENTATION(TPSuperBottomBarButton, objc::method("setBackgroundColor:", [](id self, SEL, id colour) {
    phone::recordReceived({Ref<NSObject>(colour)});
    static_cast<TPSuperBottomBarButton*>(self)->setFillColor(objc_cast<UIColor>(colour));
}))

namespace {

// A handset lying across the button: a grip bowed towards the upper left between two cups, one at
// the lower left and one at the upper right, both open towards the lower right. Traced level (cups
// at the sides, grip on top) in points about `centre`, then turned a quarter right of upright.
Ref<UIBezierPath> handset(CGPoint centre) {
    constexpr CGFloat k = 0.70710678;
    const auto at = [&](CGFloat x, CGFloat y) { return CGPoint{centre.x + k * (x + y), centre.y + k * (y - x)}; };
    auto path = UIBezierPath::bezierPath();
    path->moveToPoint(at(-16, 5));
    path->addLineToPoint(at(-16, -1));
    path->addCurveToPoint(at(16, -1), at(-11, -11), at(11, -11));
    path->addLineToPoint(at(16, 5));
    path->addLineToPoint(at(9, 5));
    path->addLineToPoint(at(9, 1));
    path->addCurveToPoint(at(-9, 1), at(4, -3.5), at(-4, -3.5));
    path->addLineToPoint(at(-9, 5));
    path->closePath();
    // Outlined as well as filled, so the corners come out round.
    path->setLineWidth(2);
    path->setLineJoinStyle(kCGLineJoinRound);
    return path;
}

}  // namespace

void TPSuperBottomBarButton::setFillColor(UIColor* colour) {
    fillColor_ = colour;
    setNeedsLayout();
}

void TPSuperBottomBarButton::layoutSubviews() { glyphColor_ = phone::inkOver(fillColor_, 0.8); }

void TPSuperBottomBarButton::drawRect(CGRect rect) {
    if (fillColor_) {
        fillColor_->setFill();
        UIBezierPath::bezierPathWithOvalInRect(rect)->fill();
    }
    glyphColor_->set();
    Ref<UIBezierPath> glyph = handset({CGRectGetMidX(rect) + 1, CGRectGetMidY(rect) + 1});
    glyph->fill();
    glyph->stroke();
}
