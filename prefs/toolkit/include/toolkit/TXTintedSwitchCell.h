#pragma once
// A switch row whose title (not the switch) takes the tint of the page it is shown in.

#include "Preferences/PSTableCell.h"

class TXTintedSwitchCell : public PSSwitchTableCell {
    OBJC_INTERFACE(TXTintedSwitchCell, PSSwitchTableCell)

public:
    TXTintedSwitchCell() = default;
    void layoutSubviews() override;
};
