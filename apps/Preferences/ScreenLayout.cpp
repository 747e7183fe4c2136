#include "ScreenLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "BarItems.h"
#include "Preferences/PSTableCell.h"
#include "ScreenStyle.h"
#include "SheetLayout.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIStringDrawing.h"

namespace settings {
namespace {

using namespace style;

// Group titles are shown in capitals: ASCII and the Latin-1 letters of the strings tables.
std::string upperCased(const std::string& text) {
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        auto byte = static_cast<unsigned char>(out[i]);
        if (byte >= 'a' && byte <= 'z') {
            out[i] = static_cast<char>(byte - 32);
        } else if (byte == 0xC3 && i + 1 < out.size()) {
            auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7) out[i + 1] = static_cast<char>(next - 32);
            ++i;
        }
    }
    return out;
}

std::string withoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

bool opensSomething(const RowSummary& row) { return row.cell == "PSLinkCell" || row.cell == "PSLinkListCell"; }

// The label and the value share the room left of the accessory: each keeps its natural width when
// both fit; otherwise the value keeps up to 40% and the label ends in an ellipsis.
void placeTexts(PlacedRow& placed, double textX, double right) {
    const CGRect& f = placed.frame;
    const RowSummary& row = *placed.row;
    const auto font = rowFont();
    const double room = right - textX;
    const double labelWidth = UITextWidth(row.label.value_or(""), font);
    double valueWidth = 0;
    if (auto* title = std::get_if<std::string>(&row.value)) valueWidth = std::ceil(UITextWidth(*title, font));
    if (valueWidth > 0) {
        if (labelWidth + kGap + valueWidth > room) valueWidth = std::min(valueWidth, std::max(room - labelWidth - kGap, room * 0.4));
        placed.value = CGRectMake(right - valueWidth, f.origin.y, valueWidth, f.size.height);
    }
    const double labelRoom = valueWidth > 0 ? room - valueWidth - kGap : room;
    placed.label = CGRectMake(textX, f.origin.y, std::max(0.0, labelRoom), f.size.height);
}

PlacedRow placeRow(const RowSummary& row, size_t index, double y) {
    PlacedRow placed;
    placed.row = &row;
    placed.index = index;
    placed.frame = CGRectMake(0, y, kWidth, row.height);
    placed.separatorInset = kMargin;
    auto* standard = objc_cast<PSTableCell>(row.cellView);
    // A cell that builds its own layout (a person) is drawn as laid out.
    placed.customLayout = row.cellView && (!standard || standard->subviews().size() > 1);
    if (placed.customLayout) return placed;
    const double midY = y + row.height / 2;
    double textX = kMargin;
    if (objc_cast<UIImage>(row.specifier ? row.specifier->propertyForKey("iconImage") : nullptr)) {
        placed.icon = CGRectMake(kMargin, midY - kIcon / 2, kIcon, kIcon);
        textX += kIcon + kMargin;
        placed.separatorInset = textX;
    }
    auto* toggle = objc_cast<PSSwitchTableCell>(standard);
    double right = kWidth - kMargin;
    if (toggle && toggle->switchControl()) {
        placed.accessoryKind = PlacedRow::Accessory::Switch;
        placed.accessory = CGRectMake(right - kSwitchWidth, midY - kSwitchHeight / 2, kSwitchWidth, kSwitchHeight);
    } else if (std::holds_alternative<bool>(row.value)) {
        if (std::get<bool>(row.value)) placed.accessoryKind = PlacedRow::Accessory::Check;
        placed.accessory = CGRectMake(right - kCheckWidth, midY - kCheckHeight / 2, kCheckWidth, kCheckHeight);
    } else if (opensSomething(row)) {
        placed.accessoryKind = PlacedRow::Accessory::Chevron;
        placed.accessory = CGRectMake(right - kChevronWidth, midY - kChevronHeight / 2, kChevronWidth, kChevronHeight);
    }
    if (!CGRectIsEmpty(placed.accessory)) right = placed.accessory.origin.x - (placed.accessoryKind == PlacedRow::Accessory::Chevron ? 10 : kGap);
    placeTexts(placed, textX, right);
    return placed;
}

// What a finger does on a row: a switch row answers only on its switch. Each place is named as a
// command names its row, so no two places of a page share a name.
void addRowTargets(ScreenLayout& layout, const PlacedRow& placed) {
    const std::string& label = placed.row->name;
    const bool isSwitch = placed.accessoryKind == PlacedRow::Accessory::Switch;
    layout.targets.push_back({"row", label, placed.frame, isSwitch ? FingerAction::None : FingerAction::TapRow, placed.index});
    if (isSwitch) layout.targets.push_back({"switch", label, placed.accessory, FingerAction::TapRow, placed.index});
}

// The groups and rows from the top of the content down; returns where the content ends.
double layoutRows(ScreenLayout& layout, const PageSummary& page, double y) {
    const auto font = groupTextFont();
    const double textWidth = kWidth - 2 * kMargin;
    std::optional<std::string> footer;
    auto closeGroup = [&] {
        if (!layout.rows.empty()) layout.rows.back().lastInGroup = true;
        if (!footer) return;
        const std::string text = withoutTrailingBlanks(*footer);
        const double height = std::ceil(UIWrappedTextHeight(text, font, textWidth));
        if (height > 0) layout.groupFooters.push_back({text, CGRectMake(kMargin, y + 7, textWidth, height)});
        y += 7 + height + 3;
        footer.reset();
    };
    bool groupOpen = false, firstRow = true;
    for (size_t i = 0; i < page.rows.size(); ++i) {
        const RowSummary& row = page.rows[i];
        if (row.isGroup || !groupOpen) {
            if (groupOpen) closeGroup();
            groupOpen = true;
            firstRow = true;
            const bool titled = row.isGroup && row.label && !row.label->empty();
            y += titled ? kTitledGroupGap : kGroupGap;
            if (titled) layout.groupHeaders.push_back({upperCased(*row.label), CGRectMake(kMargin, y - 7 - 18, textWidth, 18)});
            if (row.isGroup) {
                footer = row.footer;
                continue;
            }
        }
        PlacedRow placed = placeRow(row, i, y);
        placed.firstInGroup = firstRow;
        firstRow = false;
        y += row.height;
        layout.rows.push_back(placed);
    }
    if (groupOpen) closeGroup();
    return y;
}

void layoutBar(ScreenLayout& layout, const ScreenSummary& screen) {
    BarLayout& bar = layout.bar;
    const PageSummary& page = screen.page;
    const double top = kStatusBar, height = kBarBottom - kStatusBar;
    double left = 8;
    if (page.backTitle) {
        bar.backTitle = page.backTitle;
        const double textWidth = std::min(std::ceil(UITextWidth(*page.backTitle, barButtonFont())), 100.0);
        bar.backFrame = CGRectMake(0, top, 26 + textWidth + 8, height);
        left = CGRectGetMaxX(bar.backFrame);
    }
    // UIKit stands the first right item at the edge margin and the others leftwards in order; a
    // fixed space, even a negative one, moves the items after it by its width.
    double right = kWidth - 16;
    if (page.controller) {
        for (const auto& item : page.controller->navigationItem()->rightBarButtonItems()) {
            if (item->systemItem() == UIBarButtonSystemItemFixedSpace) {
                right -= item->width();
                continue;
            }
            UIView* view = item->customView();
            if (!view) continue;
            const CGSize size = view->frame().size;
            bar.rightItems.push_back({item, CGRectMake(right - size.width, top + (height - size.height) / 2, size.width, size.height)});
            right -= size.width + 8;
        }
    }
    if (!screen.presented) bar.title = page.title;
    const double side = std::max({left, kWidth - std::min(right, kWidth - 8), 8.0}) + 4;
    bar.titleFrame = CGRectMake(side, top, std::max(0.0, kWidth - 2 * side), height);
}

// The back button shows the covered page's title, which a row of this page may show too (the pane's
// "Settings" row under a "Settings" back button): its name says where it goes, when the covered page
// has a title. The heart shows no
// text; it is named for what it does.
void addBarTargets(ScreenLayout& layout) {
    const BarLayout& bar = layout.bar;
    if (bar.backTitle) {
        const std::string name = *bar.backTitle == "Back" ? *bar.backTitle : "Back to " + *bar.backTitle;
        layout.targets.push_back({"back", name, bar.backFrame, FingerAction::Back, 0});
    }
    for (const auto& placed : bar.rightItems) {
        const std::string kind = barItemKind(placed.item);
        const bool heart = kind == "heart";
        layout.targets.push_back({heart ? "heart" : "barItem", heart ? "Share" : kind, placed.frame,
                                  heart ? FingerAction::Heart : FingerAction::None, 0});
    }
}

}  // namespace

const Target* ScreenLayout::targetAt(CGPoint point) const {
    for (auto it = targets.rbegin(); it != targets.rend(); ++it)
        if (CGRectContainsPoint(it->frame, point)) return &*it;
    return nullptr;
}

ScreenLayout layoutScreen(const ScreenSummary& screen) {
    ScreenLayout layout;
    const PageSummary& page = screen.page;
    double y = kBarBottom;
    if (page.header && page.header->view) {
        layout.header = CGRectMake(0, y, kWidth, page.header->view->frame().size.height);
        y += layout.header.size.height;
    }
    y = layoutRows(layout, page, y) + kPageBottom;
    layout.size = CGSizeMake(kWidth, std::max(kScreenHeight, std::ceil(y)));
    layoutBar(layout, screen);
    if (screen.presented) {
        layout.sheet = layoutSheet(*screen.presented, layout.size);
        addSheetTargets(layout.targets, *layout.sheet);
        return layout;  // nothing below a sheet answers a finger
    }
    for (const PlacedRow& placed : layout.rows) addRowTargets(layout, placed);
    addBarTargets(layout);
    return layout;
}

std::optional<CGPoint> parseTouchPoint(const std::string& text) {
    double values[2];
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (double& value : values) {
        while (at < end && (*at == ' ' || *at == '\t')) ++at;
        auto [stop, error] = std::from_chars(at, end, value);
        if (error != std::errc() || stop == at || !std::isfinite(value)) return std::nullopt;
        at = stop;
    }
    while (at < end && (*at == ' ' || *at == '\t')) ++at;
    if (at != end) return std::nullopt;
    return CGPointMake(values[0], values[1]);
}

}  // namespace settings
