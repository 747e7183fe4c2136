// A settings page lays its table out in iOS 7 groups: gaps, titles, footers and the content size.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "PreferencePages.h"
#include "UIKit/UIStringDrawing.h"

namespace {

// The group titles and footers the table shows, top to bottom.
std::vector<UILabel*> groupLabels(UITableView* table) {
    std::vector<UILabel*> labels;
    for (const auto& view : table->subviews())
        if (auto* label = objc_cast<UILabel>(view.get())) labels.push_back(label);
    return labels;
}

Ref<PSSpecifier> group(const char* title, const char* footer = nullptr) {
    auto row = PSSpecifier::groupSpecifierWithName(NSString::string(title));
    if (footer) row->setProperty(NSString::string(footer), "footerText");
    return row;
}

// Frames as (x, y, width, height), for comparing and printing.
std::array<CGFloat, 4> edges(CGRect r) { return {r.origin.x, r.origin.y, r.size.width, r.size.height}; }

constexpr const char* kLongFooter =
    "The Phone app restarts when this changes, so a call in progress goes on but the keypad closes for a moment.\n\n";

}  // namespace

TEST(TableLayout, GroupsStandApartByTheirGapsTitlesAndFooters) {
    ShownPage shown;
    auto header = make<UIView>(CGRectMake(0, 0, 320, 60));
    shown.page->setSpecifiers(NSArray::arrayWithObjects({
        shown.page->plainRow("Before any group"),
        group("", kLongFooter), shown.page->plainRow("A"), shown.page->plainRow("B"),
        group("ärger"), shown.page->plainRow("C"),
        group("", " \n"), shown.page->plainRow("D")}));
    shown.page->table()->setTableHeaderView(header);
    shown.show();
    UITableView* table = shown.page->table();

    EXPECT_EQ(shown.page->cellAtRow(0)->frame().origin.y, 60 + 35) << "an implicit group below the header";
    EXPECT_EQ(shown.page->cellAtRow(2)->frame().origin.y, 60 + 35 + 44 + 35);
    EXPECT_EQ(shown.page->cellAtRow(3)->frame().origin.y, 60 + 35 + 44 + 35 + 44);

    auto labels = groupLabels(table);
    ASSERT_EQ(labels.size(), 2u) << "the footer, the title; a blank footer shows nothing";
    UILabel* footer = labels[0];
    const double footerTop = 60 + 35 + 44 + 35 + 88 + 7;
    const double height = std::ceil(UIWrappedTextHeight(footer->text(), footer->font(), 290));
    EXPECT_GT(height, 2 * 14) << "the footer wraps";
    EXPECT_EQ(footer->text().back(), '.') << "its trailing blank lines are dropped";
    EXPECT_EQ(footer->numberOfLines(), 0) << "drawn wrapped";
    EXPECT_EQ(edges(footer->frame()), edges(CGRectMake(15, footerTop, 290, height)));

    const double titled = footerTop + height + 3 + 55;
    EXPECT_EQ(shown.page->cellAtRow(5)->frame().origin.y, titled) << "a titled group leaves more room";
    UILabel* title = labels[1];
    EXPECT_EQ(title->text(), "ÄRGER");
    EXPECT_EQ(edges(title->frame()), edges(CGRectMake(15, titled - 25, 290, 18)));
    EXPECT_EQ(title->font()->pointSize(), 14);

    const double last = titled + 44 + 35;
    EXPECT_EQ(shown.page->cellAtRow(7)->frame().origin.y, last);
    EXPECT_EQ(table->contentSize().height, last + 44 + 7 + 3 + 35) << "a blank footer still closes its group";
    EXPECT_EQ(table->sizeThatFits(CGSizeMake(1000, 1000)).height, table->contentSize().height);
    EXPECT_EQ(table->sizeThatFits(CGSizeMake(1000, 1000)).width, 320);

    shown.page->viewWillAppear(false);
    EXPECT_EQ(groupLabels(table).size(), 2u) << "laid out again, the labels are made anew, not added twice";
}

TEST(TableLayout, TheTableTellsEachCellWhereItStandsInItsGroup) {
    ShownPage shown;
    shown.page->setSpecifiers(NSArray::arrayWithObjects({
        shown.page->plainRow("A"), shown.page->plainRow("B"), shown.page->plainRow("C"),
        group("Alone"), shown.page->plainRow("D")}));
    shown.show();

    auto groupEdges = [&](size_t row) {
        UITableViewCell* cell = shown.page->cellAtRow(row);
        return std::pair{cell->isFirstInGroup(), cell->isLastInGroup()};
    };
    EXPECT_EQ(groupEdges(0), std::pair(true, false));
    EXPECT_EQ(groupEdges(1), std::pair(false, false));
    EXPECT_EQ(groupEdges(2), std::pair(false, true));
    EXPECT_EQ(groupEdges(4), std::pair(true, true));
    EXPECT_EQ(shown.page->indexOfSpecifier(objc_cast<PSTableCell>(shown.page->cellAtRow(4))->specifier()), 4)
        << "a touched cell leads back to its row";
    EXPECT_EQ(shown.page->indexOfSpecifier(shown.page->plainRow("Elsewhere")), -1);

    UITableView* table = shown.page->table();
    EXPECT_TRUE(table->clipsToBounds());
    EXPECT_EQ(table->style(), UITableViewStyleGrouped);
    ASSERT_TRUE(table->backgroundColor());
    EXPECT_NEAR(table->backgroundColor()->blue(), 0.957, 1e-9);
}
