#include "Preferences/PSListController.h"

#include <charconv>
#include <cctype>
#include <cmath>

#include "Foundation/NSNumber.h"
#include "GroupTexts.h"
#include "UIKit/UIScreen.h"
#include "objc/message.h"

OBJC_IMPLEMENTATION(PSListController,
    objc::method("setPreferenceValue:specifier:", [](id self, SEL, id value, id specifier) {
        static_cast<PSListController*>(self)->setPreferenceValue(value, objc_cast<PSSpecifier>(specifier));
    }),
    objc::method("readPreferenceValue:", [](id self, SEL, id specifier) -> id {
        return objc::autorelease(static_cast<PSListController*>(self)->readPreferenceValue(objc_cast<PSSpecifier>(specifier)));
    }),
    objc::method("specifiers", [](id self, SEL) -> id { return static_cast<PSListController*>(self)->specifiers(); }))

namespace {

constexpr double kDefaultRowHeight = 44;
constexpr double kGroupGap = 35;        // above a group without a title
constexpr double kTitledGroupGap = 55;  // above a group with one
constexpr double kBottomPadding = 35;   // below the last group

bool isGroup(const PSSpecifier* specifier) { return !specifier || specifier->cellType() == PSGroupCell; }

// A number, or the leading number of a text as Foundation reads it ("100", " 72.5pt"); 0 otherwise.
double numericReading(const NSObject* value) {
    if (auto* number = objc_cast<NSNumber>(value)) return number->doubleValue();
    auto* text = objc_cast<NSString>(value);
    if (!text) return 0;
    std::string_view s = text->str();
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double reading = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), reading);
    return error == std::errc() && std::isfinite(reading) ? reading : 0;
}

// Choice and title-value rows show their value at the right; every other row only a title.
UITableViewCellStyle styleFor(PSCellType type) {
    return type == PSLinkListCell || type == PSTitleValueCell ? UITableViewCellStyleValue1 : UITableViewCellStyleDefault;
}

}  // namespace

void PSListController::setSpecifiers(NSArray* specifiers) {
    discardCells();
    _specifiers = specifiers;
}

NSBundle* PSListController::bundle() const { return NSBundle::bundleForClass(isa()); }

UITableView* PSListController::table() { return objc_cast<UITableView>(view()); }

std::string PSListController::navigationTitle() {
    if (specifier_ && specifier_->name()) return specifier_->name()->str();
    return title();
}

void PSListController::loadView() { setView(make<UITableView>(UIScreen::mainScreen()->bounds(), UITableViewStyleGrouped)); }

void PSListController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    if (cellsBuilt_)
        reloadCells();
    else
        buildCells();
    // The header may have changed since the rows were last placed.
    layoutRows();
}

size_t PSListController::rowCount() {
    NSArray* rows = specifiers();
    return rows ? rows->count() : 0;
}

PSSpecifier* PSListController::specifierAtRow(size_t row) {
    NSArray* rows = specifiers();
    return rows ? objc_cast<PSSpecifier>(rows->objectAtIndex(row)) : nullptr;
}

std::optional<PSGroupRecord> PSListController::groupAtRow(size_t row) {
    PSSpecifier* s = specifierAtRow(row);
    if (!s || s->cellType() != PSGroupCell) return std::nullopt;
    auto* footer = objc_cast<NSString>(s->propertyForKey("footerText"));
    return PSGroupRecord{s->name() ? s->name()->str() : std::string(), footer ? footer->str() : std::string()};
}

PSSpecifier* PSListController::specifierForID(std::string_view identifier) {
    NSArray* rows = specifiers();
    if (!rows) return nullptr;
    for (const auto& row : *rows)
        if (auto* s = objc_cast<PSSpecifier>(row.get()); s && objc_cast<NSString>(s->propertyForKey("id")) && s->identifier() == identifier)
            return s;
    return nullptr;
}

double PSListController::heightOfRow(size_t row) {
    PSSpecifier* s = specifierAtRow(row);
    const double height = s ? numericReading(s->propertyForKey("height")) : 0;
    return height > 0 ? height : kDefaultRowHeight;
}

Ref<UITableViewCell> PSListController::makeCell(PSSpecifier* specifier) {
    if (isGroup(specifier)) return nullptr;
    Class cls = objc_objectAsClass(specifier->propertyForKey("cellClass"));
    if (!cls || !cls->isSubclassOf(UITableViewCell::class_()))
        cls = specifier->cellType() == PSSwitchCell ? PSSwitchTableCell::class_() : PSTableCell::class_();
    Ref<NSObject> instance = cls->createInstance();
    if (!instance) return nullptr;
    // Sent by name, so a product cell's own initialiser runs.
    auto reuse = NSString::string(PSCellNameFromType(specifier->cellType()));
    id initialised = objc_msgSend<id(NSInteger, id)>(instance, SELECTOR("initWithStyle:reuseIdentifier:"),
                                                     NSInteger{styleFor(specifier->cellType())}, static_cast<id>(reuse.get()));
    Ref<UITableViewCell> cell = objc_cast<UITableViewCell>(initialised);
    if (auto* row = objc_cast<PSTableCell>(cell.get())) refreshCell(row, specifier);
    return cell;
}

void PSListController::refreshCell(PSTableCell* cell, PSSpecifier* specifier) {
    cell->refreshCellContentsWithSpecifier(specifier);
}

void PSListController::buildCells() {
    if (cellsBuilt_) return;
    cellsBuilt_ = true;
    UITableView* tableView = table();
    const size_t n = rowCount();
    cells_.assign(n, nullptr);
    for (size_t i = 0; i < n; ++i) {
        cells_[i] = makeCell(specifierAtRow(i));
        // Inside the table, a cell takes the page's tint through the view hierarchy.
        if (cells_[i] && tableView) tableView->addSubview(cells_[i]);
    }
    layoutRows();
}

void PSListController::layoutRows() {
    UITableView* tableView = table();
    if (!tableView) return;
    for (const auto& label : groupLabels_) label->removeFromSuperview();
    groupLabels_.clear();
    auto show = [&](Ref<UILabel> label) {
        if (!label) return;
        tableView->addSubview(label);
        groupLabels_.push_back(std::move(label));
    };
    const double width = tableView->bounds().size.width;
    double y = 0;
    if (UIView* header = tableView->tableHeaderView()) {
        header->setFrame(CGRectMake(0, 0, width, header->frame().size.height));
        y = header->frame().size.height;
    }
    // Rows before the first group row form a group of their own.
    bool groupOpen = false;
    std::vector<UITableViewCell*> groupCells;
    NSString* footer = nullptr;
    auto closeGroup = [&] {
        for (size_t k = 0; k < groupCells.size(); ++k) groupCells[k]->setGroupEdges(k == 0, k + 1 == groupCells.size());
        groupCells.clear();
        if (!footer) return;
        Ref<UILabel> label = preferences::groupFooterLabel(footer->str(), y, width);
        y = preferences::belowGroupFooter(label, y);
        show(std::move(label));
        footer = nullptr;
    };
    for (size_t i = 0; i < cells_.size(); ++i) {
        PSSpecifier* specifier = specifierAtRow(i);
        const bool group = isGroup(specifier);
        if (group || !groupOpen) {
            if (groupOpen) closeGroup();
            groupOpen = true;
            const std::string title = group && specifier && specifier->name() ? specifier->name()->str() : "";
            y += title.empty() ? kGroupGap : kTitledGroupGap;
            if (!title.empty()) show(preferences::groupTitleLabel(title, y, width));
            if (group) {
                footer = specifier ? objc_cast<NSString>(specifier->propertyForKey("footerText")) : nullptr;
                continue;
            }
        }
        const double height = heightOfRow(i);
        if (UITableViewCell* cell = cells_[i]) {
            cell->setFrame(CGRectMake(0, y, width, height));
            groupCells.push_back(cell);
        }
        y += height;
    }
    if (groupOpen) closeGroup();
    tableView->setContentSize(CGSizeMake(width, y + kBottomPadding));
    tableView->layoutIfNeeded();
}

void PSListController::discardCells() {
    for (const auto& cell : cells_)
        if (cell) cell->removeFromSuperview();
    cells_.clear();
    cellsBuilt_ = false;
}

UITableViewCell* PSListController::cellAtRow(size_t row) {
    buildCells();
    return row < cells_.size() ? cells_[row].get() : nullptr;
}

NSInteger PSListController::indexOfSpecifier(const PSSpecifier* specifier) {
    for (size_t i = 0, n = specifier ? rowCount() : 0; i < n; ++i)
        if (specifierAtRow(i) == specifier) return static_cast<NSInteger>(i);
    return -1;
}

void PSListController::reloadCells() {
    if (!cellsBuilt_) return;
    for (size_t i = 0; i < cells_.size(); ++i)
        if (auto* cell = objc_cast<PSTableCell>(cells_[i].get())) {
            refreshCell(cell, specifierAtRow(i));
            // What a cell shows may change how it lays out (a product cell tints its new title).
            cell->setNeedsLayout();
            cell->layoutIfNeeded();
        }
}

bool PSListController::pushDetail(PSSpecifier* specifier, Class detail) {
    UINavigationController* nav = navigationController();
    if (!nav) return false;
    Ref<NSObject> instance = detail->createInstance();
    auto* page = objc_cast<UIViewController>(instance.get());
    if (!page) return false;
    if (auto* list = objc_cast<PSListController>(page)) {
        list->setSpecifier(specifier);
        list->setParentController(this);
        list->setRootController(rootController());
        // A pushed page is named after the row that opened it, unless it names itself later.
        list->setTitle(list->navigationTitle());
    }
    nav->pushViewController(page, true);
    return true;
}

bool PSListController::tapRow(size_t row) {
    if (row >= rowCount()) return false;
    // The row stays alive through whatever its tap sets off, even if the page drops its rows.
    Ref<PSSpecifier> s = specifierAtRow(row);
    if (isGroup(s)) return false;
    if (s->cellType() == PSSwitchCell) {
        auto* cell = objc_cast<PSSwitchTableCell>(cellAtRow(row));
        if (!cell || !cell->switchControl()) return false;
        cell->switchControl()->toggle();
        return true;
    }
    if (Class detail = s->detailControllerClass()) return pushDetail(s, detail);
    // A target that lacks the action makes a row that does nothing, not a crash.
    if (s->action && s->target() && s->target()->respondsToSelector(s->action)) {
        objc::sendAction(s->target(), s->action, s);
        return true;
    }
    return false;
}
