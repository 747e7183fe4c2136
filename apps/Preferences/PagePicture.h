#pragma once
// The page on top of the Settings app as a picture of the whole page, drawn from its layout: status
// and navigation bar with the back button and right items, header, groups and rows with their
// icons, switches, values and chevrons, footers; a presented sheet covers the page.

#include "ScreenLayout.h"
#include "UIKit/UIImage.h"

namespace settings {

Ref<UIImage> drawScreen(const ScreenSummary& screen, const ScreenLayout& layout);
inline Ref<UIImage> drawScreen(const ScreenSummary& screen) { return drawScreen(screen, layoutScreen(screen)); }

}  // namespace settings
