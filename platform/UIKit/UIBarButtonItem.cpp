#include "UIKit/UIBarButtonItem.h"

OBJC_IMPLEMENTATION(UIBarButtonItem)

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
