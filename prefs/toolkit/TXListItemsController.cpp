#include "toolkit/TXListItemsController.h"

#include "toolkit/PageTints.h"

OBJC_IMPLEMENTATION(TXListItemsController)

void TXListItemsController::viewWillAppear(bool animated) {
    applyPageTints(*this, *this);
    PSListItemsController::viewWillAppear(animated);
}

void TXListItemsController::viewWillDisappear(bool animated) {
    PSListItemsController::viewWillDisappear(animated);
    clearPageTints(*this);
}

bool TXListItemsController::respondsToSelector(SEL sel) const {
    if (auto implemented = implementsAccessor(sel_getName(sel))) return *implemented;
    return PSListItemsController::respondsToSelector(sel);
}
