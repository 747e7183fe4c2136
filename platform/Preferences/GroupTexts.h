#pragma once
// Inside the framework: the labels a grouped page shows above and below a group's rows, in the
// iOS 7 look (14 points, grey). Both are 15 points in from either side of the table.

#include <string>

#include "UIKit/UILabel.h"

namespace preferences {

// A group's title in capitals, on one line whose bottom is 7 points above the group's first row
// at `groupTop`.
Ref<UILabel> groupTitleLabel(const std::string& title, CGFloat groupTop, CGFloat tableWidth);
// A group's footer wrapped from 7 points below the group's last row at `groupBottom`, as tall as
// its lines; nil for a footer with nothing to show.
Ref<UILabel> groupFooterLabel(const std::string& footer, CGFloat groupBottom, CGFloat tableWidth);
// Where the next group's gap starts below a footer label (nil: a footer with nothing to show).
CGFloat belowGroupFooter(const UILabel* footer, CGFloat groupBottom);

// Capitals of ASCII letters and of the Latin-1 letters the pages' string tables use (UTF-8).
std::string upperCasedTitle(const std::string& text);

}  // namespace preferences
