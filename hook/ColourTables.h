#pragma once
// The two colour index tables the settings page offers: background colours 1-15 with Clear at 4
// ("bgc", "call"), text colours 1-14 without Clear ("fgc").

#include "UIKit/UIColor.h"

namespace corvane {

// The colour of an index, or nil outside the table.
UIColor* BackgroundColour(int index);
UIColor* TextColour(int index);

}  // namespace corvane
