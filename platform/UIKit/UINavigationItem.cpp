#include "UIKit/UINavigationItem.h"

OBJC_IMPLEMENTATION(UINavigationItem)

void UINavigationItem::setRightBarButtonItem(UIBarButtonItem* item) {
    right_.clear();
    if (item) right_.emplace_back(item);
}

void UINavigationItem::setRightBarButtonItems(std::vector<Ref<UIBarButtonItem>> items, bool) {
    right_.clear();
    for (auto& item : items)
        if (item) right_.push_back(std::move(item));
}
