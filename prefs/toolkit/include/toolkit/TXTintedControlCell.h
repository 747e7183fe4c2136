#pragma once
// A control row whose title takes the tint of the page it is shown in.

#include "Preferences/PSTableCell.h"

class TXTintedControlCell : public PSControlTableCell {
    OBJC_INTERFACE(TXTintedControlCell, PSControlTableCell)

public:
    TXTintedControlCell() = default;
    void layoutSubviews() override;
};
