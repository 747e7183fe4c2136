#pragma once
// Where the parts of a presented sheet stand: the share sheet as a card over the dimmed page, the
// mail composer over the whole screen.

#include <vector>

#include "ScreenLayout.h"

namespace settings {

SheetLayout layoutSheet(const PresentedSummary& sheet, CGSize page);
// The sheet's buttons as places a finger can touch.
void addSheetTargets(std::vector<Target>& targets, const SheetLayout& sheet);

// The composer's lines under its bar: "To: ...", "Cc/Bcc:", "Subject: ...".
std::vector<std::string> mailFieldTexts(const PresentedSummary& sheet);

}  // namespace settings
