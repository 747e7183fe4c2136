#include "UIKit/UIControl.h"

#include <algorithm>

#include "objc/message.h"

OBJC_IMPLEMENTATION(UIControl)

void UIControl::addTarget(id target, SEL action, unsigned long events) {
    for (auto& a : actions_)
        if (a.target == target && a.action == action) {
            a.events |= events;
            return;
        }
    actions_.push_back({target, action, events});
}

void UIControl::removeTarget(id target, SEL action, unsigned long events) {
    for (auto& a : actions_)
        if (a.target == target && (!action || a.action == action)) a.events &= ~events;
    actions_.erase(std::remove_if(actions_.begin(), actions_.end(), [](const Action& a) { return a.events == 0; }),
                   actions_.end());
}

void UIControl::sendActionsForControlEvents(unsigned long events) {
    Ref<UIControl> keep = this;  // an action may release the control
    const std::vector<Action> snapshot = actions_;
    for (const Action& a : snapshot)
        if (a.events & events) objc::sendAction(a.target, a.action, this);
}
