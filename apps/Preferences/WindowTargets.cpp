#include "WindowTargets.h"

#include "BarItems.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "Preferences/PSListController.h"
#include "Preferences/PSTableCell.h"
#include "RowNames.h"
#include "Social/SLComposeViewController.h"
#include "UIKit/UINavigationBar.h"

namespace settings {
namespace {

// What the window shows, as the rules below need it.
struct Screen {
    UIWindow* window;
    UINavigationController* navigation;
    UIViewController* presented;
    PSListController* page;  // nil for a top page without rows
};

Screen screenOf(UIWindow* window, UINavigationController* navigation) {
    return {window, navigation, navigation->presentedViewController(),
            objc_cast<PSListController>(navigation->topViewController())};
}

Target buttonTarget(UIButton* button, FingerAction action) {
    return Target{"button", button->titleForState(button->state()), {}, action};
}

std::optional<size_t> rowOfCell(PSListController& page, UITableViewCell* cell) {
    auto* tableCell = objc_cast<PSTableCell>(cell);
    const NSInteger row = tableCell ? page.indexOfSpecifier(tableCell->specifier()) : -1;
    if (row < 0) return std::nullopt;
    return static_cast<size_t>(row);
}

UITableViewCell* enclosingCell(UIView* view) {
    for (; view; view = view->superview())
        if (auto* cell = objc_cast<UITableViewCell>(view)) return cell;
    return nullptr;
}

std::optional<Target> sheetButton(const Screen& screen, UIView* view) {
    if (auto* share = objc_cast<SLComposeViewController>(screen.presented)) {
        if (view == share->cancelButton()) return buttonTarget(share->cancelButton(), FingerAction::CloseSheet);
        if (view == share->confirmButton()) return buttonTarget(share->confirmButton(), FingerAction::CloseSheet);
    } else if (auto* mail = objc_cast<MFMailComposeViewController>(screen.presented)) {
        if (view == mail->cancelButton()) return buttonTarget(mail->cancelButton(), FingerAction::CancelMail);
        if (view == mail->confirmButton()) return buttonTarget(mail->confirmButton(), FingerAction::SendMail);
    }
    return std::nullopt;
}

// The back button says where it goes when the covered page has a title: a row of this page may
// show that title too (the pane's "Settings" row under a "Settings" back button).
std::optional<Target> barButton(const Screen& screen, UIView* view) {
    UINavigationBar* bar = screen.navigation->navigationBar();
    if (view == bar->backButton()) {
        const std::string& title = bar->backButton()->title();
        return Target{"back", title == "Back" || title.empty() ? "Back" : "Back to " + title, {}, FingerAction::Back};
    }
    if (!view->isDescendantOfView(bar)) return std::nullopt;
    for (const auto& item : screen.navigation->topViewController()->navigationItem()->rightBarButtonItems()) {
        if (item->customView() != view) continue;
        const std::string kind = barItemKind(item);
        // The heart shows no text; it is named for what it does.
        if (kind == "heart") return Target{"heart", "Share", {}, FingerAction::Heart};
        return Target{"barItem", kind, {}, FingerAction::None};
    }
    return std::nullopt;
}

// A switch answers on itself; the rest of its row does nothing, as the cell takes no selection.
std::optional<Target> rowPart(const Screen& screen, UIView* view) {
    if (!screen.page || !view->isDescendantOfView(screen.page->table())) return std::nullopt;
    UITableViewCell* cell = enclosingCell(view);
    const bool onSwitch = objc_cast<UISwitch>(view) != nullptr;
    if (!cell || (view != cell && !onSwitch)) return std::nullopt;
    const auto row = rowOfCell(*screen.page, cell);
    if (!row) return std::nullopt;
    const std::string name = uniqueRowName(*screen.page, *row);
    if (onSwitch) return Target{"switch", name, {}, FingerAction::TapRow, *row};
    const bool switchRow = objc_cast<PSSwitchTableCell>(cell) != nullptr;
    return Target{"row", name, {}, switchRow ? FingerAction::None : FingerAction::TapRow, *row};
}

// The target `view` itself is, with its frame in the window.
std::optional<Target> targetOf(const Screen& screen, UIView* view) {
    std::optional<Target> target = screen.presented ? sheetButton(screen, view) : barButton(screen, view);
    if (!target && !screen.presented) target = rowPart(screen, view);
    if (target) target->frame = view->convertRect(view->bounds(), screen.window);
    return target;
}

std::optional<Target> nearestTarget(const Screen& screen, UIView* view) {
    for (; view; view = view->superview())
        if (auto target = targetOf(screen, view)) return target;
    return std::nullopt;
}

void collect(const Screen& screen, UIView* view, std::vector<Target>& targets) {
    if (view->isHidden()) return;
    if (auto target = targetOf(screen, view); target && target->action != FingerAction::None) {
        // Listed only where a finger would reach it: not under a sheet, not cut off.
        const CGPoint centre{CGRectGetMidX(target->frame), CGRectGetMidY(target->frame)};
        UIView* hit = screen.window->hitTest(centre, nullptr);
        if (hit && hit->isDescendantOfView(view)) targets.push_back(*target);
    }
    for (const auto& child : view->subviews()) collect(screen, child, targets);
}

}  // namespace

const char* actionName(FingerAction action) {
    switch (action) {
        case FingerAction::None: return "none";
        case FingerAction::TapRow: return "tapRow";
        case FingerAction::Back: return "back";
        case FingerAction::Heart: return "heart";
        case FingerAction::CloseSheet: return "closeSheet";
        case FingerAction::CancelMail: return "cancelMail";
        case FingerAction::SendMail: return "sendMail";
    }
    return "none";
}

std::optional<Target> targetAt(UIWindow* window, UINavigationController* navigation, CGPoint point) {
    return nearestTarget(screenOf(window, navigation), window->hitTest(point, nullptr));
}

std::vector<Target> windowTargets(UIWindow* window, UINavigationController* navigation) {
    std::vector<Target> targets;
    collect(screenOf(window, navigation), window, targets);
    return targets;
}

}  // namespace settings
