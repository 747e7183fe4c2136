#include "UIKit/UISwitch.h"

#include <map>

#include "UIKit/UIViewController.h"

OBJC_IMPLEMENTATION(UISwitchAppearance)
OBJC_IMPLEMENTATION(UISwitch)

namespace {
std::map<Class, Ref<UISwitchAppearance>>& proxies() {
    static std::map<Class, Ref<UISwitchAppearance>> all;
    return all;
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

const UISwitchAppearance* UISwitch::appearance() const {
    if (proxies().empty()) return nullptr;
    auto match = [](const NSObject* container) -> const UISwitchAppearance* {
        for (const auto& [cls, proxy] : proxies())
            if (container->isKindOfClass(cls)) return proxy;
        return nullptr;
    };
    for (const UIView* v = superview(); v; v = v->superview()) {
        if (auto* p = match(v)) return p;
        if (v->viewController())
            if (auto* p = match(v->viewController())) return p;
    }
    return nullptr;
}

UIColor* UISwitch::effectiveOnTintColor() const {
    if (onTint_) return onTint_;
    const UISwitchAppearance* a = appearance();
    return a ? a->onTintColor() : nullptr;
}

UIColor* UISwitch::effectiveTintColor() const {
    if (ownTintColor()) return ownTintColor();
    const UISwitchAppearance* a = appearance();
    return a ? a->tintColor() : nullptr;
}
