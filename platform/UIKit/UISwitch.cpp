#include "UIKit/UISwitch.h"

#include <unordered_map>

#include "UIKit/UIGraphics.h"
#include "UIKit/UIViewController.h"

OBJC_IMPLEMENTATION(UISwitch)

namespace {

// Never destroyed: proxies live as long as the process, whatever order libraries unload in.
std::unordered_map<Class, Ref<UISwitchAppearance>>& proxies() {
    static auto* all = new std::unordered_map<Class, Ref<UISwitchAppearance>>;
    return *all;
}

// The proxy of the container's nearest class that has one giving the colour, so a proxy for a
// subclass wins over one for its base class.
UIColor* colourFor(const NSObject* container, UIColor* (UISwitchAppearance::*colour)() const) {
    for (Class cls = container->isa(); cls; cls = cls->superclass()) {
        auto it = proxies().find(cls);
        if (it != proxies().end())
            if (UIColor* c = (it->second.get()->*colour)()) return c;
    }
    return nullptr;
}

}  // namespace

void UISwitch::setOn(bool on, bool) { on_ = on; }

void UISwitch::toggle() {
    on_ = !on_;
    sendActionsForControlEvents(UIControlEventValueChanged);
}

UISwitchAppearance* UISwitch::appearanceWhenContainedIn(Class container) {
    if (!container) return nullptr;
    auto& slot = proxies()[container];
    if (!slot) slot = make<UISwitchAppearance>();
    return slot;
}

UIColor* UISwitch::appearanceColour(AppearanceColour colour) const {
    if (proxies().empty()) return nullptr;
    // A controller's root view is followed by the controller itself, as UIKit's responder chain does.
    for (const UIView* v = superview(); v; v = v->superview()) {
        if (UIColor* c = colourFor(v, colour)) return c;
        if (const UIViewController* owner = v->viewController())
            if (UIColor* c = colourFor(owner, colour)) return c;
    }
    return nullptr;
}

UIColor* UISwitch::effectiveOnTintColor() const {
    return onTint_ ? onTint_.get() : appearanceColour(&UISwitchAppearance::onTintColor);
}

UIColor* UISwitch::effectiveTintColor() const {
    return ownTintColor() ? ownTintColor() : appearanceColour(&UISwitchAppearance::tintColor);
}

void UISwitch::drawRect(CGRect track) {
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c) return;
    static UIColor* stockOn = UIColor::colorWithRed(76 / 255.0, 217 / 255.0, 100 / 255.0, 1).leak();
    static UIColor* stockOutline = UIColor::colorWithRed(0.9, 0.9, 0.9, 1).leak();
    UIColor* on = effectiveOnTintColor() ? effectiveOnTintColor() : stockOn;
    UIColor* outline = effectiveTintColor() ? effectiveTintColor() : stockOutline;
    UIColor* fill = on_ ? on : UIColor::whiteColor();
    CGContextSetRGBFillColor(c, fill->red(), fill->green(), fill->blue(), fill->alpha());
    CGContextSetRGBStrokeColor(c, outline->red(), outline->green(), outline->blue(), outline->alpha());
    CGContextSetLineWidth(c, 1.5);
    // Inset by half the outline, so the whole stroke stays inside the switch.
    const CGRect shape = CGRectInset(track, 0.75, 0.75);
    CGContextAddRoundedRect(c, shape, shape.size.height / 2);
    CGContextDrawPath(c, on_ ? kCGPathFill : kCGPathFillStroke);
    const CGFloat knob = track.size.height - 3;
    const CGFloat knobX = on_ ? CGRectGetMaxX(track) - 1.5 - knob : track.origin.x + 1.5;
    CGContextSetRGBStrokeColor(c, 0.8, 0.8, 0.8, 1);
    CGContextSetRGBFillColor(c, 1, 1, 1, 1);
    CGContextSetLineWidth(c, 0.5);
    CGContextAddEllipseInRect(c, CGRectMake(knobX, track.origin.y + 1.5, knob, knob));
    CGContextDrawPath(c, kCGPathFillStroke);
}
