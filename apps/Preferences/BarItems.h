#pragma once
// The right-hand bar items of a page as the user sees them: spacers and buttons, and among the
// buttons the heart that opens the page's share sheet.

#include <string>

#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIViewController.h"

namespace settings {

// "fixedSpace", "heart" (a button whose tap sends heartWasTouched), "button" or "item".
std::string barItemKind(const UIBarButtonItem* item);
// The page's heart button, or nil when it shows none.
UIButton* heartButton(UIViewController* page);

}  // namespace settings
