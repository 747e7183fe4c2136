#include "UIKit/UISwitch.h"

#include <unordered_map>

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
