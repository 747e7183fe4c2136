#pragma once
// The tints a page puts on its view and on the shared navigation bar while it is on top, and their
// removal when it goes, so the bar always carries the colours of the page the user sees.

#include "UIKit/UIViewController.h"
#include "toolkit/TXListControllerProtocol.h"

// Before the page appears. Each accessor is asked once: the view takes `tintColor`; the bar takes
// `navigationTintColor`, else `tintColor`; unless `tintNavigationTitleText` is NO, the title takes
// `navigationTitleTintColor`, else `tintColor`. What the page does not implement is left alone, and
// so is the title when its colour is nil (an attribute dictionary cannot hold nothing). A page
// outside a navigation controller has no bar to tint.
void applyPageTints(UIViewController& page, const TXListControllerProtocol& accessors);

// After the page disappears, whatever it implements: the view and the bar inherit again and the
// title attributes are emptied.
void clearPageTints(UIViewController& page);
