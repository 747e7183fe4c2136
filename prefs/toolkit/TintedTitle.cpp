#include "toolkit/TintedTitle.h"

#include "toolkit/TXTintedListController.h"

namespace {

// The system tint, the reference a page's tint is compared with.
const UIColor* referenceBlue() {
    static const Ref<UIColor> blue = TXTintedListController::defaultTintBlue();
    return blue.get();
}

constexpr double kSimilarity = 0.1;

}  // namespace

void tintTitleLabel(const UIView& cell, UILabel* title) {
    if (!title || !cell.respondsToSelector(SELECTOR("tintColor"))) return;
    UIColor* tint = cell.tintColor();
    if (!tint || tint->_isSimilarToColor(referenceBlue(), kSimilarity)) return;
    title->setTextColor(tint);
}
