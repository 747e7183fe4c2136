#pragma once
// Where everything of the Settings screen stands, in points of the whole-page picture (320 points
// wide, as tall as the page), and what a finger does at each place. The picture is drawn from this
// layout and a touch is answered from it, so what a person sees and what a touch hits agree.

#include <optional>
#include <string>
#include <vector>

#include "CoreGraphics/CGGeometry.h"
#include "ScreenSummary.h"

namespace settings {

// What a finger at a place does.
enum class FingerAction {
    None,        // the place shows something that answers no touch
    TapRow,      // the page's row `row`: a switch flips, a link opens, a choice is checked
    Back,        // the back button
    Heart,       // the heart button
    CloseSheet,  // the share sheet's Cancel and Post
    CancelMail,  // the mail composer's Cancel
    SendMail,    // the mail composer's Send
};

struct Target {
    std::string kind;   // "row", "switch", "back", "heart", "barItem" or "button"
    std::string label;  // what the place shows: a row's title, a button's text
    CGRect frame{};
    FingerAction action = FingerAction::None;
    size_t row = 0;     // for TapRow: the row number on the page
};

// A row of the page (not a group) and the parts drawn in it.
struct PlacedRow {
    const RowSummary* row = nullptr;
    size_t index = 0;  // the row number on the page
    CGRect frame{};
    CGRect icon{}, label{}, value{}, accessory{};  // empty when the row shows none
    enum class Accessory { None, Switch, Chevron, Check } accessoryKind = Accessory::None;
    CGFloat separatorInset = 0;  // where the hairline under the row starts
    bool firstInGroup = false, lastInGroup = false;
    bool customLayout = false;   // a cell that laid out its own subviews (a person)
};

// A group's header or footer text.
struct PlacedText {
    std::string text;
    CGRect frame{};
};

struct BarLayout {
    std::string title;  // nothing while a sheet covers the page
    CGRect titleFrame{};
    std::optional<std::string> backTitle;
    CGRect backFrame{};
    struct Item {
        UIBarButtonItem* item = nullptr;
        CGRect frame{};
    };
    std::vector<Item> rightItems;  // the items with a view, where UIKit places them
};

// A presented sheet: the card and the places of its parts.
struct SheetLayout {
    enum class Kind { Share, Mail, Other } kind = Kind::Other;
    CGRect card{};
    CGRect cancel{}, confirm{}, title{};  // the bar of the card
    std::vector<PlacedText> fields;       // the composer's To, Cc/Bcc and Subject lines
    CGRect text{};                        // the share text or the mail body
};

struct ScreenLayout {
    CGSize size{};  // the whole page: at least the screen
    CGRect header{};
    std::vector<PlacedRow> rows;
    std::vector<PlacedText> groupHeaders, groupFooters;
    BarLayout bar;
    std::optional<SheetLayout> sheet;
    // Every place that answers a finger, from the bottom up: a sheet's buttons last.
    std::vector<Target> targets;

    // The topmost place under `point`; nil on nothing. While a sheet is up only its places answer.
    const Target* targetAt(CGPoint point) const;
};

ScreenLayout layoutScreen(const ScreenSummary& screen);

// The point of a "touch X Y" argument: two numbers in points; nothing for any other text.
std::optional<CGPoint> parseTouchPoint(const std::string& text);

}  // namespace settings
