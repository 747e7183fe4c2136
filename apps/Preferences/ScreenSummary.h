#pragma once
// What is on screen, read off the live objects: the page on top of the navigation stack (its bar,
// header and rows, as their views show them) and whatever is presented over it. "show" prints it.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Preferences/PSSpecifier.h"
#include "UIKit/UIColor.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UITableView.h"

namespace settings {

struct HeaderSummary {
    std::optional<std::string> title, subtitle;
    Ref<UIColor> colour;  // the title's text colour
};

// What a row shows as its value: nothing, a switch's state or a list item's check, or a choice
// row's title.
using RowValue = std::variant<std::monostate, bool, std::string>;

struct RowSummary {
    size_t number = 0;                   // as "tap #N" names the row
    bool isGroup = false;
    std::string cell;                    // the cell name of the row's type
    std::optional<std::string> label;    // the shown title
    std::vector<std::string> texts;      // every text the cell shows, title first
    std::string name;                    // what a command calls it, unique on the page (rows only)
    std::optional<std::string> footer;   // groups only
    RowValue value;
    Ref<UIColor> titleColour;            // nil while the platform's own colour shows
    double height = 0;
    std::optional<std::string> cellClass;
};

struct PageSummary {
    std::string className;
    std::string title;
    std::optional<std::string> backTitle;  // a pushed page's: the covered page's title, "Back" when empty
    Ref<UIColor> barTint, barTitleColour;
    std::vector<std::string> rightItems;
    std::optional<HeaderSummary> header;
    std::vector<RowSummary> rows;
};

struct PresentedSummary {
    std::string className;
    // Mail composer.
    std::optional<std::string> subject, body;
    std::optional<bool> isHTML;
    std::optional<std::vector<std::string>> recipients;
    // Share sheet.
    std::optional<std::string> initialText;
};

struct ScreenSummary {
    PageSummary page;
    std::optional<PresentedSummary> presented;
};

ScreenSummary summarizeScreen(UINavigationController* navigation);

}  // namespace settings
