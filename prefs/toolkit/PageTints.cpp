#include "toolkit/PageTints.h"

#include "UIKit/UINavigationController.h"

namespace {

UINavigationBar* barOf(const UIViewController& page) {
    UINavigationController* navigation = page.navigationController();
    return navigation ? navigation->navigationBar() : nullptr;
}

}  // namespace

void applyPageTints(UIViewController& page, const TXListControllerProtocol& accessors) {
    const OptionalColour tint = accessors.tintColor();
    if (tint) page.view()->setTintColor(*tint);
    UINavigationBar* bar = barOf(page);
    if (auto barTint = firstImplemented({accessors.navigationTintColor(), tint}); barTint && bar)
        bar->setTintColor(*barTint);
    if (!accessors.tintNavigationTitleText().value_or(true)) return;
    if (auto title = firstImplemented({accessors.navigationTitleTintColor(), tint}); title && *title && bar)
        bar->setTitleTextAttributes(
            NSDictionary::dictionaryWithObjectsAndKeys({{NSForegroundColorAttributeName, Ref<NSObject>(title->get())}}));
}

void clearPageTints(UIViewController& page) {
    page.view()->setTintColor(nullptr);
    if (UINavigationBar* bar = barOf(page)) {
        bar->setTintColor(nullptr);
        bar->setTitleTextAttributes(make<NSDictionary>());
    }
}
