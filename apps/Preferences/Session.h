#pragma once
// A Settings session: the root list in a navigation controller, the root of a window, and the
// commands that act on whatever is on top of it. Pictures and touches are the window's own.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Command.h"
#include "LoaderEntries.h"
#include "RootListController.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIWindow.h"

namespace settings {

class Session {
public:
    explicit Session(std::vector<LoaderEntry> entries);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs one command. A command that fails names the problem and changes nothing; an exception
    // raised by a pane ends only the command that raised it.
    std::optional<std::string> execute(const Command& command);

    UINavigationController* navigation() const { return navigation_; }

private:
    std::optional<std::string> open(const std::string& label);
    std::optional<std::string> tap(const Command& command);
    std::optional<std::string> set(const Command& command);
    struct TopRow {
        PSListController* page;
        size_t row;
    };
    // The row of the top page a tap or set names, or why it cannot be touched or found.
    std::variant<TopRow, std::string> namedRowOnTop(const Command& command);
    std::optional<std::string> back();
    std::optional<std::string> heart();
    std::optional<std::string> finishMail(const std::string& result);
    std::optional<std::string> show();
    std::optional<std::string> render(const std::string& file);
    // What a finger does at a point of the whole-page picture ("X Y" in points).
    std::optional<std::string> touch(const std::string& where);
    // Prints where the places that answer a finger are, with what they show.
    std::optional<std::string> targets();
    // Why the top page cannot be touched while something covers it; nothing when nothing does.
    std::optional<std::string> coveredProblem() const;
    // The window laid out as tall as the page on top, as the whole-page picture shows it.
    UIWindow* fittedWindow();

    Ref<PSRootListController> rootList_;
    Ref<UINavigationController> navigation_;
    Ref<UIWindow> window_;
};

}  // namespace settings
