#pragma once
// A presented sheet drawn over the page: the share sheet's card with Cancel, Post and its text; the
// mail composer with Cancel, the subject as title, Send, its fields and the body.

#include "CoreGraphics/CGContext.h"
#include "ScreenLayout.h"

namespace settings {

void drawSheet(CGContextRef c, const PresentedSummary& presented, const SheetLayout& sheet, CGSize page);
// The status bar as it stands over every page and sheet.
void drawStatusBar(CGContextRef c, const UIColor* background);

}  // namespace settings
