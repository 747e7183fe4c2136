#pragma once
// A navigation-bar item: a custom view, or a system item such as a fixed space of a given width.

#include "UIKit/UIView.h"

enum UIBarButtonSystemItem : NSInteger { UIBarButtonSystemItemNone = -1, UIBarButtonSystemItemFixedSpace = 6 };

class UIBarButtonItem : public NSObject {
    OBJC_INTERFACE(UIBarButtonItem, NSObject)

public:
    UIBarButtonItem() = default;
    static Ref<UIBarButtonItem> initWithCustomView(UIView* view);
    static Ref<UIBarButtonItem> initWithBarButtonSystemItem(UIBarButtonSystemItem item, id target, SEL action);

    UIView* customView() const { return customView_; }
    UIBarButtonSystemItem systemItem() const { return systemItem_; }
    CGFloat width() const { return width_; }
    void setWidth(CGFloat width) { width_ = width; }
    id target() const { return target_; }
    SEL action() const { return action_; }

private:
    Ref<UIView> customView_;
    UIBarButtonSystemItem systemItem_ = UIBarButtonSystemItemNone;
    CGFloat width_ = 0;
    id target_ = nullptr;  // not owned
    SEL action_ = nullptr;
};
