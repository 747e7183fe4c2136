#pragma once
// The two colour index tables the settings page offers: background colours 1-15 with Clear at 4
// ("bgc", "call"), text colours 1-14 without Clear ("fgc").

#include "objc/runtime.h"

namespace corvane {

// UIKit's shared colour of an index, or nil outside the table.
id BackgroundColour(int index);
id TextColour(int index);

// +[UIColor clearColor] and +[UIColor blackColor].
id ClearColour();
id BlackColour();
// A colour made anew by +[UIColor colorWithRed:green:blue:alpha:].
id MakeColour(double red, double green, double blue, double alpha);

}  // namespace corvane
