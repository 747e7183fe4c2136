#include "Session.h"

#include <unistd.h>

#include <cstdio>

#include "PagePicture.h"

#include <cstdio>
#include <exception>

#include "BarItems.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "ScreenJSON.h"
#include "ScreenSummary.h"

namespace settings {
namespace {

// The first row titled `label` that is not a group; a group of that title is named in `problem`.
std::optional<size_t> rowTitled(PSListController& page, const std::string& label, std::string& problem) {
    std::optional<size_t> group;
    for (size_t i = 0, n = page.rowCount(); i < n; ++i) {
        PSSpecifier* row = page.specifierAtRow(i);
        if (!row || !row->name() || row->name()->str() != label) continue;
        if (row->cellType() != PSGroupCell) return i;
        if (!group) group = i;
    }
    problem = group ? "'" + label + "' is a group title, not a row" : "no row titled '" + label + "' on this page";
    return std::nullopt;
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
}

std::optional<std::string> Session::execute(const Command& command) {
    try {
        switch (command.verb) {
            case Verb::Open: return open(command.argument);
            case Verb::Tap: return tap(command);
            case Verb::Back: return back();
            case Verb::Heart: return heart();
            case Verb::Mail: return finishMail(command.argument);
            case Verb::Show: return show();
            case Verb::Render: return render(command.argument);
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
    std::string problem;
    auto row = rowTitled(*rootList_, label, problem);
    if (!row) return "no entry '" + label + "' in Settings";
    return rootList_->openEntryAtRow(*row);
}

std::optional<std::string> Session::tap(const Command& command) {
    if (auto covered = coveredProblem()) return covered;
    auto* page = objc_cast<PSListController>(navigation_->topViewController());
    if (!page) return std::string("the top page has no rows");
    std::string problem;
    std::optional<size_t> row = command.rowIndex;
    if (row) {
        if (*row >= page->rowCount()) return "no row #" + std::to_string(*row) + " on this page";
    } else if (!(row = rowTitled(*page, command.argument, problem))) {
        return problem;
    }
    if (page == rootList_.get()) return rootList_->openEntryAtRow(*row);
    if (!page->tapRow(*row)) {
        PSSpecifier* s = page->specifierAtRow(*row);
        const std::string name = s && s->name() && !s->name()->str().empty() ? "'" + s->name()->str() + "'" : "#" + std::to_string(*row);
        return "row " + name + " does nothing when tapped";
    }
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

// Written beside the target and renamed over it, so a reader never sees half a picture.
std::optional<std::string> Session::render(const std::string& file) {
    Ref<UIImage> picture = drawScreen(summarizeScreen(navigation_));
    const std::string temporary = file + ".partial";
    if (!picture || !picture->CGImage()->writePNG(temporary) || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return "cannot write the picture to " + file;
    }
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
