#pragma once
// What a controller shows in the navigation bar while it is on top: its title and right-hand items.

#include <string>
#include <vector>

#include "UIKit/UIBarButtonItem.h"

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
