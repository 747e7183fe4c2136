#pragma once
// The one layout rule of the tinted cells: a cell whose tint is not the platform's default blue draws
// its title in that tint, so rows follow the page's colour while an untinted page looks standard.

#include "UIKit/UILabel.h"

// Copies the cell's tint into `title` unless the tint is within 0.1 of the default blue. The colour is
// never reset: a cell later shown under the default blue keeps the colour it was given.
void tintTitleLabel(const UIView& cell, UILabel* title);
