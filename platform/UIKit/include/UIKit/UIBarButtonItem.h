#pragma once

#include <string>
#include <vector>

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

class UINavigationItem : public NSObject {
    OBJC_INTERFACE(UINavigationItem, NSObject)

public:
    UINavigationItem() = default;
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    UIBarButtonItem* rightBarButtonItem() const { return right_.empty() ? nullptr : right_.front().get(); }
    void setRightBarButtonItem(UIBarButtonItem* item);
    const std::vector<Ref<UIBarButtonItem>>& rightBarButtonItems() const { return right_; }
    void setRightBarButtonItems(std::vector<Ref<UIBarButtonItem>> items, bool animated);

private:
    std::string title_;
    std::vector<Ref<UIBarButtonItem>> right_;
};
