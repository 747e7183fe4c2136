#include "Session.h"

#include <unistd.h>

#include <cstdio>

#include <exception>

#include "BarItems.h"
#include "RowNames.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "ScreenJSON.h"
#include "ScreenSummary.h"
#include "UIKit/UIGraphics.h"

namespace settings {
namespace {

// The row a tap or set names, by number or by name, or why there is none.
std::variant<size_t, std::string> namedRow(PSListController& page, const Command& command) {
    if (!command.rowIndex) return findRow(page, command.argument);
    if (*command.rowIndex >= page.rowCount()) return "no row #" + std::to_string(*command.rowIndex) + " on this page";
    return *command.rowIndex;
}

MFMailComposeResult mailResult(const std::string& word) {
    if (word == "sent") return MFMailComposeResultSent;
    if (word == "saved") return MFMailComposeResultSaved;
    if (word == "failed") return MFMailComposeResultFailed;
    return MFMailComposeResultCancelled;
}

}  // namespace

Session::Session(std::vector<LoaderEntry> entries) : rootList_(make<PSRootListController>()) {
    rootList_->setEntries(std::move(entries));
    navigation_ = UINavigationController::initWithRootViewController(rootList_);
    navigation_->show();
    window_ = make<UIWindow>();
    window_->setRootViewController(navigation_);
}

UIWindow* Session::fittedWindow() {
    window_->layoutToFitContent();
    return window_;
}

std::optional<std::string> Session::execute(const Command& command) {
    try {
        switch (command.verb) {
            case Verb::Open: return open(command.argument);
            case Verb::Tap: return tap(command);
            case Verb::Set: return set(command);
            case Verb::Back: return back();
            case Verb::Heart: return heart();
            case Verb::Mail: return finishMail(command.argument);
            case Verb::Show: return show();
            case Verb::Render: return render(command.argument);
            case Verb::Touch: return touch(command.argument);
            case Verb::Targets: return targets();
        }
    } catch (const std::exception& raised) {
        return std::string("the page raised an exception: ") + raised.what();
    }
    return std::string("unhandled command");
}

std::optional<std::string> Session::coveredProblem() const {
    UIViewController* presented = navigation_->presentedViewController();
    if (!presented) return std::nullopt;
    if (objc_cast<MFMailComposeViewController>(presented))
        return std::string("a mail composer is open: finish it with 'mail sent|saved|cancelled|failed'");
    return std::string("a ") + presented->className() + " is open: close it with 'back'";
}

std::optional<std::string> Session::open(const std::string& label) {
    if (auto covered = coveredProblem()) return covered;
    if (navigation_->topViewController() != rootList_.get())
        return std::string("'open' works on the Settings list only: go back to it first");
    auto row = findRow(*rootList_, label);
    if (auto* problem = std::get_if<std::string>(&row))
        return problem->starts_with("no row") ? "no entry '" + label + "' in Settings" +
                                                    whatExists(label, rowNames(*rootList_), "entries")
                                              : *problem;
    return rootList_->openEntryAtRow(std::get<size_t>(row));
}

std::variant<Session::TopRow, std::string> Session::namedRowOnTop(const Command& command) {
    if (auto covered = coveredProblem()) return *covered;
    auto* page = objc_cast<PSListController>(navigation_->topViewController());
    if (!page) return std::string("the top page has no rows");
    auto named = namedRow(*page, command);
    if (auto* problem = std::get_if<std::string>(&named)) return *problem;
    return TopRow{page, std::get<size_t>(named)};
}

std::optional<std::string> Session::tap(const Command& command) {
    auto named = namedRowOnTop(command);
    if (auto* problem = std::get_if<std::string>(&named)) return *problem;
    auto [page, row] = std::get<TopRow>(named);
    if (page == rootList_.get()) return rootList_->openEntryAtRow(row);
    if (!page->tapRow(row)) {
        const std::string name = rowName(*page, row);
        return "row " + (name.empty() ? "#" + std::to_string(row) : "'" + name + "'") + " does nothing when tapped";
    }
    return std::nullopt;
}

std::optional<std::string> Session::set(const Command& command) {
    auto named = namedRowOnTop(command);
    if (auto* problem = std::get_if<std::string>(&named)) return *problem;
    auto [page, row] = std::get<TopRow>(named);
    auto* cell = objc_cast<PSSwitchTableCell>(page->cellAtRow(row));
    UISwitch* toggle = cell ? cell->switchControl() : nullptr;
    if (!toggle) return "row '" + rowName(*page, row) + "' is not a switch";
    if (toggle->isOn() == command.switchOn) return std::nullopt;
    page->tapRow(row);
    // A refused store leaves the switch as it was; the refusal itself is reported as an event.
    if (toggle->isOn() != command.switchOn)
        return "'" + rowName(*page, row) + "' stayed " + (toggle->isOn() ? "on" : "off");
    return std::nullopt;
}

std::optional<std::string> Session::back() {
    if (UIViewController* presented = navigation_->presentedViewController()) {
        // A share sheet closes itself on cancel; a mail composer is closed by its delegate.
        if (objc_cast<MFMailComposeViewController>(presented)) return coveredProblem();
        navigation_->dismissViewControllerAnimated(true, nullptr);
        return std::nullopt;
    }
    if (!navigation_->popViewControllerAnimated(true)) return std::string("already on the Settings list");
    return std::nullopt;
}

std::optional<std::string> Session::heart() {
    if (auto covered = coveredProblem()) return covered;
    UIButton* button = heartButton(navigation_->topViewController());
    if (!button) return std::string("this page shows no heart button");
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    return std::nullopt;
}

std::optional<std::string> Session::finishMail(const std::string& result) {
    auto* composer = objc_cast<MFMailComposeViewController>(navigation_->presentedViewController());
    if (!composer) return std::string("no mail composer is open");
    composer->finishWithResult(mailResult(result));
    return std::nullopt;
}

std::optional<std::string> Session::render(const std::string& file) {
    UIWindow* window = fittedWindow();
    UIGraphicsBeginImageContextWithOptions(window->bounds().size, true, 0);
    window->drawViewHierarchyInRect(window->bounds());
    Ref<UIImage> picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    std::string why = "nothing was drawn";
    if (!picture || !picture->CGImage()->savePNG(file, why)) return "cannot write the picture to " + file + " (" + why + ")";
    return std::nullopt;
}

std::optional<std::string> Session::show() {
    const std::string line = screenJSON(summarizeScreen(navigation_));
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return std::nullopt;
}

}  // namespace settings
