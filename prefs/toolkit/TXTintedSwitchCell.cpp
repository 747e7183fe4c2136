#include "toolkit/TXTintedSwitchCell.h"

#include "toolkit/TintedTitle.h"

OBJC_IMPLEMENTATION(TXTintedSwitchCell)

void TXTintedSwitchCell::layoutSubviews() {
    PSSwitchTableCell::layoutSubviews();
    tintTitleLabel(*this, titleTextLabel());
}
