#include "toolkit/TXTintedControlCell.h"

#include "toolkit/TintedTitle.h"

OBJC_IMPLEMENTATION(TXTintedControlCell)

void TXTintedControlCell::layoutSubviews() {
    PSControlTableCell::layoutSubviews();
    tintTitleLabel(*this, textLabel());
}
