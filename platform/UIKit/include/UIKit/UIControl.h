#pragma once
// Controls with target-action per control event. Targets are not owned.

#include <vector>

#include "UIKit/UIView.h"

enum UIControlEvents : unsigned long {
    UIControlEventTouchDown = 1 << 0,
    UIControlEventTouchUpInside = 1 << 6,
    UIControlEventValueChanged = 1 << 12,
};

enum UIControlState : unsigned long {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1 << 0,
    UIControlStateDisabled = 1 << 1,
    UIControlStateSelected = 1 << 2,
};

class UIControl : public UIView {
    OBJC_INTERFACE(UIControl, UIView)

public:
    UIControl() = default;
    explicit UIControl(CGRect frame) : UIView(frame) {}

    void addTarget(id target, SEL action, unsigned long events);
    void removeTarget(id target, SEL action, unsigned long events);
    // Sends each action registered for any of `events`, in the order they were added.
    void sendActionsForControlEvents(unsigned long events);
    struct Action {
        id target;
        SEL action;
        unsigned long events;
    };
    const std::vector<Action>& actions() const { return actions_; }

    bool isSelected() const { return selected_; }
    // Controls that look different when selected override this to show it.
    virtual void setSelected(bool selected) { selected_ = selected; }

private:
    std::vector<Action> actions_;
    bool selected_ = false;
};
