#pragma once
// The places of the Settings window that answer a finger, found in its views: a touch goes to the
// view under the point, and the nearest of it and its superviews that answers one says what the
// finger does there. A screen reader hears each place by the text its view shows.

#include <optional>
#include <string>
#include <vector>

#include "UIKit/UINavigationController.h"
#include "UIKit/UIWindow.h"

namespace settings {

// What a finger at a place does.
enum class FingerAction {
    None,        // the place shows something that answers no touch (a switch row off its switch)
    TapRow,      // the page's row `row`: a switch flips, a link opens, a choice is checked
    Back,        // the back button
    Heart,       // the heart button
    CloseSheet,  // the share sheet's Cancel and Post
    CancelMail,  // the mail composer's Cancel
    SendMail,    // the mail composer's Send
};
const char* actionName(FingerAction action);

struct Target {
    std::string kind;   // "row", "switch", "back", "heart", "barItem" or "button"
    std::string label;  // what the place shows: a row's title, a button's text
    CGRect frame{};     // in the window's coordinates
    FingerAction action = FingerAction::None;
    size_t row = 0;     // for TapRow: the row number on the page
};

// What the finger at `point` (window coordinates) touches; nothing where no view answers.
std::optional<Target> targetAt(UIWindow* window, UINavigationController* navigation, CGPoint point);
// Every place a finger at its centre reaches, in drawing order.
std::vector<Target> windowTargets(UIWindow* window, UINavigationController* navigation);

}  // namespace settings
