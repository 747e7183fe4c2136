#include "toolkit/TintedTitle.h"

namespace {

// The platform's default tint, the reference a page's tint is compared with.
const UIColor* referenceBlue() {
    static const Ref<UIColor> blue = UIColor::colorWithRed(0, 0.478431, 1, 1);
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
