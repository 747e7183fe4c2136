#pragma once
// The page on top of the Settings app as a picture, drawn from the same summary "show" prints:
// navigation bar with title and right items, header, groups and rows with their icons, switches
// and values, footers; a presented sheet covers the page.

#include "ScreenSummary.h"
#include "UIKit/UIImage.h"

namespace settings {

Ref<UIImage> drawScreen(const ScreenSummary& screen);

}  // namespace settings
