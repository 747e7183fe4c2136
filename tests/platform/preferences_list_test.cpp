// A list controller's rows as cells, and what tapping them does, through a real navigation
// controller.

#include <gtest/gtest.h>

#include "PreferencePages.h"
#include "Preferences/PreferencesStore.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIImage.h"

TEST(PSListController, EachCellTypeGetsItsDefaultCellAndGroupsGetAHeader) {
    ShownPage shown;
    auto rows = make<NSMutableArray>();
    auto group = PSSpecifier::groupSpecifierWithName(NSString::string("Status Bar"));
    group->setProperty(NSString::string("Restarts the Phone app"), "footerText");
    rows->addObject(group);
    rows->addObject(shown.page->storedRow("Hide", PSSwitchCell, "kStatus", NSNumber::numberWithBool(false)));
    rows->addObject(shown.page->plainRow("About", PSLinkCell, DetailPage::class_()));
    rows->addObject(PSSpecifier::emptyGroupSpecifier());
    shown.page->setSpecifiers(rows);
    shown.show();

    ASSERT_EQ(shown.page->rowCount(), 4u);
    EXPECT_EQ(shown.page->cellAtRow(0), nullptr);
    auto header = shown.page->groupAtRow(0);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->title, "Status Bar");
    EXPECT_EQ(header->footer, "Restarts the Phone app");
    ASSERT_TRUE(shown.page->groupAtRow(3));
    EXPECT_EQ(shown.page->groupAtRow(3)->title, "");
    EXPECT_FALSE(shown.page->groupAtRow(1)) << "an ordinary row is no group";

    auto* toggle = objc_cast<PSSwitchTableCell>(shown.page->cellAtRow(1));
    ASSERT_TRUE(toggle);
    EXPECT_EQ(toggle->titleTextLabel()->text(), "Hide");
    EXPECT_EQ(toggle->titleLabel(), toggle->titleTextLabel());
    EXPECT_EQ(toggle->specifier(), shown.page->specifierAtRow(1));
    auto* link = shown.page->cellAtRow(2);
    EXPECT_EQ(link->isa(), PSTableCell::class_());
    EXPECT_EQ(objc_cast<PSTableCell>(link)->titleTextLabel()->text(), "About");
    EXPECT_EQ(shown.page->cellAtRow(99), nullptr);
}

TEST(PSListController, CellsSitInThePageTableBelowItsHeaderAtTheirHeights) {
    ShownPage shown;
    auto rows = make<NSMutableArray>();
    auto tall = shown.page->plainRow("Tall");
    tall->setProperty(NSNumber::numberWithInteger(100), "height");
    auto odd = shown.page->plainRow("Odd");
    odd->setProperty(NSString::string("tall"), "height");
    auto negative = shown.page->plainRow("Negative");
    negative->setProperty(NSNumber::numberWithDouble(-5), "height");
    rows->addObject(tall);
    rows->addObject(odd);
    rows->addObject(negative);
    shown.page->setSpecifiers(rows);
    auto header = make<UIView>(CGRectMake(0, 0, 320, 95));
    shown.page->table()->setTableHeaderView(header);
    shown.page->view()->setTintColor(UIColor::darkGrayColor());
    shown.show();

    EXPECT_EQ(shown.page->heightOfRow(0), 100);
    EXPECT_EQ(shown.page->heightOfRow(1), 44) << "a height that is no number";
    EXPECT_EQ(shown.page->heightOfRow(2), 44) << "a height that is no size";
    UITableViewCell* first = shown.page->cellAtRow(0);
    UITableViewCell* second = shown.page->cellAtRow(1);
    EXPECT_EQ(first->superview(), shown.page->table());
    EXPECT_EQ(first->frame().origin.y, 95 + 35) << "the rows start below the header and the first group's gap";
    EXPECT_EQ(first->frame().size.height, 100);
    EXPECT_EQ(first->frame().size.width, shown.page->table()->bounds().size.width);
    EXPECT_EQ(second->frame().origin.y, 95 + 35 + 100);
    EXPECT_EQ(second->tintColor(), UIColor::darkGrayColor()) << "a cell takes the page's tint";
}

TEST(PSListController, RowsAreFoundByIdAndShowTheirEndImagesAndHeightsGivenAsText) {
    ShownPage shown;
    auto slider = shown.page->plainRow("Volume", PSSliderCell);
    slider->setProperty(NSString::string(" 72.5"), "height");
    slider->setProperty(NSString::string("volume"), "id");
    auto quiet = make<UIImage>();
    auto loud = make<UIImage>();
    slider->setProperty(quiet, "leftImage");
    slider->setProperty(loud, "rightImage");
    auto unnamed = shown.page->plainRow("Plain");
    unnamed->setProperty(NSNumber::numberWithInteger(7), "id");
    shown.page->setSpecifiers(NSArray::arrayWithObjects({unnamed, slider}));
    shown.show();

    EXPECT_EQ(shown.page->heightOfRow(1), 72.5);
    EXPECT_EQ(shown.page->specifierForID("volume"), slider.get());
    EXPECT_EQ(shown.page->specifierForID("7"), nullptr) << "an id that is no text names nothing";
    EXPECT_EQ(shown.page->specifierForID("Volume"), nullptr);
    auto* cell = objc_cast<PSTableCell>(shown.page->cellAtRow(1));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->leftImage(), quiet.get());
    EXPECT_EQ(cell->rightImage(), loud.get());
    EXPECT_EQ(objc_cast<PSTableCell>(shown.page->cellAtRow(0))->leftImage(), nullptr);
}

TEST(PSListController, CellClassesAreMadeByNameAndLaidOutWithTheirContents) {
    ShownPage shown;
    auto rows = make<NSMutableArray>();
    auto custom = shown.page->storedRow("Tint", PSSwitchCell, "tab", NSNumber::numberWithBool(true));
    custom->setProperty(objc_classAsObject(RecordingCell::class_()), "cellClass");
    auto notACell = shown.page->storedRow("Plain", PSSwitchCell, "kLCD", NSNumber::numberWithBool(false));
    notACell->setProperty(objc_classAsObject(DetailPage::class_()), "cellClass");
    rows->addObject(custom);
    rows->addObject(notACell);
    shown.page->setSpecifiers(rows);
    RecordingCell::initialised = 0;
    shown.show();

    auto* cell = objc_cast<RecordingCell>(shown.page->cellAtRow(0));
    ASSERT_TRUE(cell);
    EXPECT_EQ(RecordingCell::initialised, 1) << "through its own initialiser, sent by name";
    EXPECT_EQ(cell->reuseSeen, "PSSwitchCell");
    EXPECT_TRUE(cell->switchControl()->isOn()) << "configured like the default cell of its type";
    ASSERT_FALSE(cell->titlesAtLayout.empty()) << "laid out once it is in the table";
    EXPECT_EQ(cell->titlesAtLayout.front(), "Tint") << "laid out after it shows its row";
    EXPECT_EQ(shown.page->cellAtRow(1)->isa(), PSSwitchTableCell::class_()) << "a cell class that makes no cell";

    // Shown again, the cell lays out again with what it now shows.
    const size_t layouts = cell->titlesAtLayout.size();
    shown.page->specifierAtRow(0)->setName(NSString::string("Renamed"));
    shown.page->viewWillAppear(false);
    EXPECT_GT(cell->titlesAtLayout.size(), layouts);
    EXPECT_EQ(cell->titlesAtLayout.back(), "Renamed");
}

TEST(PSListController, NewRowsReplaceTheOldCellsInTheTable) {
    ShownPage shown;
    shown.page->setSpecifiers(NSArray::arrayWithObjects({shown.page->plainRow("Old")}));
    shown.show();
    Ref<UITableViewCell> old = shown.page->cellAtRow(0);
    shown.page->setSpecifiers(NSArray::arrayWithObjects({shown.page->plainRow("New")}));
    EXPECT_EQ(old->superview(), nullptr);
    auto* fresh = objc_cast<PSTableCell>(shown.page->cellAtRow(0));
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->titleTextLabel()->text(), "New");
    EXPECT_EQ(fresh->superview(), shown.page->table());
}

TEST(PSListController, ADetailRowPushesItsPageLinkedToThisOne) {
    ShownPage shown;
    auto rows = make<NSMutableArray>();
    rows->addObject(shown.page->plainRow("Credits", PSLinkCell, DetailPage::class_()));
    rows->addObject(shown.page->plainRow("Broken", PSLinkCell, PSSpecifier::class_()));
    shown.page->setSpecifiers(rows);
    shown.show();

    EXPECT_EQ(objc_cast<PSTableCell>(shown.page->cellAtRow(0))->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);
    ASSERT_TRUE(shown.page->tapRow(0));
    auto* detail = objc_cast<DetailPage>(shown.nav->topViewController());
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->specifier(), shown.page->specifierAtRow(0));
    EXPECT_EQ(detail->parentController(), shown.page.get());
    EXPECT_EQ(detail->rootController(), shown.nav.get());
    EXPECT_EQ(detail->navigationTitle(), "Credits");
    EXPECT_EQ(detail->title(), "Credits") << "a pushed page is named after its row";
    EXPECT_EQ(shown.page->navigationTitle(), "") << "no opening row and no title";

    shown.nav->popViewControllerAnimated(false);
    EXPECT_FALSE(shown.page->tapRow(1)) << "a detail class that is no page opens nothing";
    EXPECT_EQ(shown.nav->viewControllers().size(), 1u);
}

TEST(PSListController, ADetailRowOutsideANavigationControllerOpensNothing) {
    ScratchDevice device;
    auto page = make<TestPage>();
    page->setSpecifiers(NSArray::arrayWithObjects({page->plainRow("Credits", PSLinkCell, DetailPage::class_())}));
    EXPECT_FALSE(page->tapRow(0));
}

TEST(PSListController, ActionRowsSendTheirActionInEitherShape) {
    ShownPage shown;
    auto rows = make<NSMutableArray>();
    auto bare = shown.page->plainRow("Mail", PSButtonCell);
    bare->action = SELECTOR("act");
    auto withSender = shown.page->plainRow("Share", PSButtonCell);
    withSender->action = SELECTOR("actWith:");
    auto missing = shown.page->plainRow("Gone", PSButtonCell);
    missing->action = SELECTOR("noSuchAction");
    rows->addObject(PSSpecifier::emptyGroupSpecifier());
    rows->addObject(bare);
    rows->addObject(withSender);
    rows->addObject(missing);
    rows->addObject(shown.page->plainRow("Nothing"));
    shown.page->setSpecifiers(rows);
    shown.show();

    EXPECT_TRUE(shown.page->tapRow(1));
    EXPECT_EQ(shown.page->acted, 1);
    EXPECT_TRUE(shown.page->tapRow(2));
    EXPECT_EQ(shown.page->actedWith, shown.page->specifierAtRow(2)) << "the row is the sender";
    EXPECT_FALSE(shown.page->tapRow(3)) << "an action the target lacks does nothing";
    EXPECT_FALSE(shown.page->tapRow(4)) << "a row that opens nothing";
    EXPECT_FALSE(shown.page->tapRow(0)) << "a group";
    EXPECT_FALSE(shown.page->tapRow(99));
    EXPECT_EQ(shown.page->acted, 1);
    EXPECT_EQ(shown.nav->viewControllers().size(), 1u);
}

TEST(PSListController, AChoiceRowShowsTheTitleOfItsValue) {
    ShownPage shown;
    auto rows = make<NSMutableArray>();
    rows->addObject(shown.page->colourRow("fgc", 1));
    rows->addObject(shown.page->colourRow("bgc", 9));
    shown.page->setSpecifiers(rows);
    shown.show();
    EXPECT_EQ(objc_cast<PSTableCell>(shown.page->cellAtRow(0))->valueText(), "Black") << "the default's title";
    EXPECT_EQ(objc_cast<PSTableCell>(shown.page->cellAtRow(1))->valueText(), "") << "a value that is no choice";
}

TEST(PSListItemsController, TheChoicesFollowTheStoredValueAndAPickStoresThroughTheRowSetter) {
    ShownPage shown;
    shown.page->setSpecifiers(NSArray::arrayWithObjects({shown.page->colourRow("fgc", 1)}));
    PreferencesStore::setPreferenceValue(kTestDomain, "fgc", NSNumber::numberWithInteger(2));
    shown.show();
    auto* choice = objc_cast<PSTableCell>(shown.page->cellAtRow(0));
    EXPECT_EQ(choice->valueText(), "Blue");

    ASSERT_TRUE(shown.page->tapRow(0));
    auto* list = objc_cast<PSListItemsController>(shown.nav->topViewController());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->specifier(), shown.page->specifierAtRow(0));
    EXPECT_EQ(list->parentController(), shown.page.get());
    ASSERT_EQ(list->rowCount(), 4u) << "one group, then one row per value";
    EXPECT_TRUE(list->groupAtRow(0));
    std::vector<std::string> titles;
    std::vector<bool> checks;
    for (size_t i = 1; i < 4; ++i) {
        titles.push_back(list->specifierAtRow(i)->name()->str());
        checks.push_back(objc_cast<PSTableCell>(list->cellAtRow(i))->isChecked());
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Black", "Blue", "Cyan"}));
    EXPECT_EQ(checks, (std::vector<bool>{false, true, false})) << "the stored value, not the default";

    EXPECT_TRUE(list->tapRow(3));
    EXPECT_EQ(shown.page->colourSetterValues, std::vector<long long>{4}) << "through the row's own setter, by name";
    EXPECT_EQ(storedNumber("fgc"), 4);
    EXPECT_EQ(shown.posts.names, std::vector<std::string>{kTestNotification});
    EXPECT_FALSE(objc_cast<PSTableCell>(list->cellAtRow(2))->isChecked());
    EXPECT_TRUE(objc_cast<PSTableCell>(list->cellAtRow(3))->isChecked());
    EXPECT_FALSE(list->tapRow(0)) << "the group is no choice";
    EXPECT_TRUE(list->tapRow(3));
    EXPECT_EQ(shown.page->colourSetterValues.size(), 1u) << "the checked choice stores nothing again";
    EXPECT_EQ(shown.posts.names.size(), 1u) << "and posts nothing";
    EXPECT_EQ(list->title(), "Colour") << "named after the choice row";

    shown.nav->popViewControllerAnimated(true);
    EXPECT_EQ(choice->valueText(), "Cyan") << "the page shows the new value when it comes back";
}

TEST(PSListItemsController, TheCheckedChoiceStoresOnlyWhenItIsCheckedAsTheDefault) {
    ShownPage shown;
    StoredValues stores;
    shown.page->setSpecifiers(
        NSArray::arrayWithObjects({shown.page->colourRow("fgc", 4), shown.page->colourRow("bgc", 4)}));
    PreferencesStore::setPreferenceValue(kTestDomain, "bgc", NSNumber::numberWithInteger(4));
    shown.show();
    auto pickCyan = [&](size_t row) {
        ASSERT_TRUE(shown.page->tapRow(row));
        auto* list = objc_cast<PSListItemsController>(shown.nav->topViewController());
        ASSERT_TRUE(list);
        EXPECT_TRUE(objc_cast<PSTableCell>(list->cellAtRow(3))->isChecked()) << row;
        EXPECT_TRUE(list->tapRow(3));
        EXPECT_TRUE(objc_cast<PSTableCell>(list->cellAtRow(3))->isChecked()) << row;
        shown.nav->popViewControllerAnimated(false);
    };

    pickCyan(1);
    EXPECT_TRUE(stores.entries.empty()) << "a stored checked choice stores nothing again";
    EXPECT_TRUE(shown.posts.names.empty()) << "and posts nothing";

    pickCyan(0);
    EXPECT_EQ(stores.entries, std::vector<std::string>{"com.test.prefs fgc=4"}) << "checked only as the default";
    EXPECT_EQ(shown.posts.names, std::vector<std::string>{kTestNotification});
    pickCyan(0);
    EXPECT_EQ(stores.entries.size(), 1u) << "stored now, so picked again it stays";
    EXPECT_EQ(shown.posts.names.size(), 1u);
}

TEST(PSListItemsController, WithoutAnOpeningRowItListsNothing) {
    ScratchDevice device;
    auto list = make<PSListItemsController>();
    EXPECT_EQ(list->rowCount(), 1u);
    EXPECT_FALSE(list->tapRow(0));
    EXPECT_FALSE(list->tapRow(1));
}
