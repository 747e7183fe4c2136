#include "toolkit/TXTintedCell.h"

#include "toolkit/TintedTitle.h"

OBJC_IMPLEMENTATION(TXTintedCell)

void TXTintedCell::layoutSubviews() {
    PSTableCell::layoutSubviews();
    tintTitleLabel(*this, textLabel());
}
