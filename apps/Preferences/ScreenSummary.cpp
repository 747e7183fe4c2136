#include "ScreenSummary.h"

#include "BarItems.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "Preferences/PSListController.h"
#include "Preferences/PSTableCell.h"
#include "RowNames.h"
#include "Social/SLComposeViewController.h"

namespace settings {
namespace {

std::optional<std::string> textOf(const NSObject* value) {
    if (auto* s = objc_cast<NSString>(value)) return s->str();
    return std::nullopt;
}

// The labels of a toolkit header, in the order they were added: title, then subtitle.
std::optional<HeaderSummary> summarizeHeader(UITableView* table) {
    UIView* header = table ? table->tableHeaderView() : nullptr;
    if (!header) return std::nullopt;
    HeaderSummary summary;
    for (const auto& child : header->subviews()) {
        auto* label = objc_cast<UILabel>(child.get());
        if (!label) continue;
        if (!summary.title) {
            summary.title = label->text();
            summary.colour = label->textColor();
        } else if (!summary.subtitle) {
            summary.subtitle = label->text();
        }
    }
    return summary;
}

RowValue valueShown(const PSSpecifier& specifier, UITableViewCell* cell) {
    auto* tableCell = objc_cast<PSTableCell>(cell);
    if (!tableCell) return {};
    if (auto* toggle = objc_cast<PSSwitchTableCell>(tableCell); toggle && toggle->switchControl())
        return toggle->switchControl()->isOn();
    switch (specifier.cellType()) {
        case PSListItemCell: return tableCell->isChecked();
        case PSLinkListCell: {
            const std::string& title = tableCell->valueText();
            if (!title.empty()) return title;
            return {};
        }
        default: return {};
    }
}

RowSummary summarizeRow(PSListController& page, size_t index) {
    RowSummary row;
    row.number = index;
    PSSpecifier* specifier = page.specifierAtRow(index);
    if (!specifier) return row;
    row.isGroup = specifier->cellType() == PSGroupCell;
    row.cell = PSCellNameFromType(specifier->cellType());
    if (specifier->name()) row.label = specifier->name()->str();
    if (row.isGroup) {
        row.footer = textOf(specifier->propertyForKey("footerText"));
        return row;
    }
    UITableViewCell* cellView = page.cellAtRow(index);
    row.texts = textsShown(cellView);
    row.name = uniqueRowName(page, index);
    row.value = valueShown(*specifier, cellView);
    if (auto* cell = objc_cast<PSTableCell>(cellView); cell && cell->titleTextLabel()->hasCustomTextColor())
        row.titleColour = cell->titleTextLabel()->textColor();
    row.height = page.heightOfRow(index);
    if (Class cls = objc_objectAsClass(specifier->propertyForKey("cellClass"))) row.cellClass = class_getName(cls);
    return row;
}

PageSummary summarizePage(UIViewController* controller, UINavigationBar* bar) {
    PageSummary page;
    if (bar) {
        page.barTint = bar->ownTintColor();
        page.barTitleColour = bar->titleColor();
    }
    if (!controller) return page;
    page.className = controller->className();
    page.title = controller->title();
    for (const auto& item : controller->navigationItem()->rightBarButtonItems()) page.rightItems.push_back(barItemKind(item));
    if (auto* list = objc_cast<PSListController>(controller)) {
        page.header = summarizeHeader(list->table());
        for (size_t i = 0, n = list->rowCount(); i < n; ++i) page.rows.push_back(summarizeRow(*list, i));
    }
    return page;
}

PresentedSummary summarizePresented(UIViewController* controller) {
    PresentedSummary presented;
    presented.className = controller->className();
    if (auto* mail = objc_cast<MFMailComposeViewController>(controller)) {
        presented.subject = mail->subject();
        presented.body = mail->messageBody();
        presented.isHTML = mail->isHTML();
        presented.recipients = mail->toRecipients();
    } else if (auto* sheet = objc_cast<SLComposeViewController>(controller)) {
        presented.initialText = sheet->initialText();
    }
    return presented;
}

}  // namespace

ScreenSummary summarizeScreen(UINavigationController* navigation) {
    ScreenSummary screen;
    if (!navigation) return screen;
    screen.page = summarizePage(navigation->topViewController(), navigation->navigationBar());
    if (const auto& stack = navigation->viewControllers(); stack.size() > 1) {
        const std::string& covered = stack[stack.size() - 2]->title();
        screen.page.backTitle = covered.empty() ? "Back" : covered;
    }
    if (UIViewController* presented = navigation->presentedViewController()) screen.presented = summarizePresented(presented);
    return screen;
}

}  // namespace settings
