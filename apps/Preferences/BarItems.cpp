#include "BarItems.h"

#include <algorithm>

#include "objc/runtime.h"

namespace settings {
namespace {

bool sendsHeartTouch(const UIButton& button) {
    const auto& actions = button.actions();
    return std::any_of(actions.begin(), actions.end(), [](const UIControl::Action& a) {
        return (a.events & UIControlEventTouchUpInside) && a.action == sel_registerName("heartWasTouched");
    });
}

}  // namespace

std::string barItemKind(const UIBarButtonItem* item) {
    if (!item) return "item";
    if (item->systemItem() == UIBarButtonSystemItemFixedSpace) return "fixedSpace";
    if (auto* button = objc_cast<UIButton>(item->customView())) return sendsHeartTouch(*button) ? "heart" : "button";
    return "item";
}

UIButton* heartButton(UIViewController* page) {
    if (!page) return nullptr;
    for (const auto& item : page->navigationItem()->rightBarButtonItems())
        if (barItemKind(item) == "heart") return objc_cast<UIButton>(item->customView());
    return nullptr;
}

}  // namespace settings
