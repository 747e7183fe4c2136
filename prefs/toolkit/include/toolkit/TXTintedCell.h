#pragma once
// A row whose title takes the tint of the page it is shown in.

#include "Preferences/PSTableCell.h"

class TXTintedCell : public PSTableCell {
    OBJC_INTERFACE(TXTintedCell, PSTableCell)

public:
    TXTintedCell() = default;
    void layoutSubviews() override;
};
