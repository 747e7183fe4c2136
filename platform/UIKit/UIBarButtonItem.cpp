#include "UIKit/UIBarButtonItem.h"

OBJC_IMPLEMENTATION(UIBarButtonItem)
OBJC_IMPLEMENTATION(UINavigationItem)

Ref<UIBarButtonItem> UIBarButtonItem::initWithCustomView(UIView* view) {
    auto item = make<UIBarButtonItem>();
    item->customView_ = view;
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::initWithBarButtonSystemItem(UIBarButtonSystemItem system, id target, SEL action) {
    auto item = make<UIBarButtonItem>();
    item->systemItem_ = system;
    item->target_ = target;
    item->action_ = action;
    return item;
}

void UINavigationItem::setRightBarButtonItem(UIBarButtonItem* item) {
    right_.clear();
    if (item) right_.emplace_back(item);
}

void UINavigationItem::setRightBarButtonItems(std::vector<Ref<UIBarButtonItem>> items, bool) {
    right_.clear();
    for (auto& item : items)
        if (item) right_.push_back(std::move(item));
}
