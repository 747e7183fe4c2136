#include <gtest/gtest.h>

#include "Foundation/NSNumber.h"
#include "PaneDevice.h"
#include "Preferences/PSTableCell.h"
#include "UIKit/UIKit.h"
#include "pages/CVSettingsListController.h"
#include "pages/RestartObserver.h"

namespace {

const std::vector<std::string> kTextTitles = {"Black", "Blue",    "Brown",  "Cyan", "Dark Gray", "Gray",  "Green",
                                              "Light Gray", "Magenta", "Orange", "Purple", "Red", "White", "Yellow"};
const std::vector<std::string> kBackgroundTitles = {"Black", "Blue", "Brown", "Clear", "Cyan", "Dark Gray", "Gray", "Green",
                                                    "Light Gray", "Magenta", "Orange", "Purple", "Red", "White", "Yellow"};

enum class Kind { Group, Switch, Choice };
struct ExpectedRow {
    Kind kind;
    const char* label;  // nullptr: none
    const char* key;
    long long defaultValue;
    const std::vector<std::string>* titles;
};

const std::vector<ExpectedRow> kTable = {
    {Kind::Group, nullptr, nullptr, 0, nullptr},
    {Kind::Switch, "Background", "kLCD", 0, nullptr},
    {Kind::Switch, "Blur Background", "Blur", 0, nullptr},
    {Kind::Switch, "Button Background", "ButtonColor", 0, nullptr},
    {Kind::Group, "Status Bar", nullptr, 0, nullptr},
    {Kind::Switch, "Hide Status Bar", "kStatus", 0, nullptr},
    {Kind::Choice, "Text Colour", "fgc", 1, &kTextTitles},
    {Kind::Choice, "Background Colour", "bgc", 4, &kBackgroundTitles},
    {Kind::Group, "Call Button", nullptr, 0, nullptr},
    {Kind::Switch, "Custom Colour", "enabled", 0, nullptr},
    {Kind::Choice, "Background Colour", "call", 4, &kBackgroundTitles},
    {Kind::Group, "Miscellaneous", nullptr, 0, nullptr},
    {Kind::Switch, "Black Tab Buttons", "tab", 0, nullptr},
    {Kind::Switch, "Hide Voicemail Tab", "kVoice", 0, nullptr},
};

std::string textAt(const NSDictionary& row, const char* key) {
    auto* s = objc_cast<NSString>(row.objectForKey(key));
    return s ? s->str() : "<none>";
}

std::vector<std::string> texts(const NSObject* array) {
    std::vector<std::string> out;
    if (auto* list = objc_cast<NSArray>(array))
        for (const auto& item : *list) out.push_back(objc_cast<NSString>(item) ? objc_cast<NSString>(item)->str() : "?");
    return out;
}

void checkStoringRow(const NSDictionary& row, const ExpectedRow& expected) {
    EXPECT_EQ(textAt(row, "label"), expected.label);
    EXPECT_EQ(textAt(row, "key"), expected.key);
    EXPECT_EQ(textAt(row, "defaults"), "com.qelmor.corvane");
    EXPECT_EQ(textAt(row, "PostNotification"), "com.qelmor.corvane/KillPhone");
    auto* fallback = objc_cast<NSNumber>(row.objectForKey("default"));
    ASSERT_TRUE(fallback);
    EXPECT_EQ(fallback->longLongValue(), expected.defaultValue);
    EXPECT_EQ(textAt(row, "icon"), "<none>");
    EXPECT_EQ(textAt(row, "action"), "<none>");
    EXPECT_EQ(textAt(row, "id"), "<none>");
    if (expected.kind == Kind::Switch) {
        EXPECT_EQ(textAt(row, "cell"), "PSSwitchCell");
        EXPECT_EQ(fallback->kind(), NSNumber::Kind::Boolean);
        EXPECT_EQ(textAt(row, "cellClass"), "TXTintedSwitchCell");
        EXPECT_EQ(row.count(), 7u);
    } else {
        EXPECT_EQ(textAt(row, "cell"), "PSLinkListCell");
        EXPECT_EQ(fallback->kind(), NSNumber::Kind::Integer);
        EXPECT_EQ(textAt(row, "detail"), "TXListItemsController");
        EXPECT_EQ(texts(row.objectForKey("validTitles")), *expected.titles);
        auto* values = objc_cast<NSArray>(row.objectForKey("validValues"));
        ASSERT_TRUE(values);
        ASSERT_EQ(values->count(), expected.titles->size());
        for (size_t i = 0; i < values->count(); ++i) {
            auto* value = objc_cast<NSNumber>(values->objectAtIndex(i));
            ASSERT_TRUE(value);
            EXPECT_EQ(value->kind(), NSNumber::Kind::Integer);
            EXPECT_EQ(value->longLongValue(), static_cast<long long>(i) + 1);
        }
        EXPECT_EQ(row.count(), 9u);
    }
}

struct Shown {
    Ref<CVSettingsListController> page = make<CVSettingsListController>();
    Ref<UINavigationController> navigation = UINavigationController::initWithRootViewController(page);
    Shown() { navigation->show(); }

    std::string valueShown(size_t row) { return objc_cast<PSTableCell>(page->cellAtRow(row))->valueText(); }
    bool switchOn(size_t row) { return objc_cast<PSSwitchTableCell>(page->cellAtRow(row))->switchControl()->isOn(); }

    // Opens the choice row's list, picks the title and comes back.
    void pick(size_t row, const std::string& title) {
        ASSERT_TRUE(page->tapRow(row));
        auto* list = objc_cast<PSListController>(navigation->topViewController());
        ASSERT_TRUE(list && list != page.get());
        EXPECT_STREQ(list->className(), "TXListItemsController");
        bool picked = false;
        for (size_t i = 0; i < list->rowCount() && !picked; ++i)
            if (list->specifierAtRow(i)->name() && list->specifierAtRow(i)->name()->str() == title) picked = list->tapRow(i);
        EXPECT_TRUE(picked) << title;
        navigation->popViewControllerAnimated(false);
    }
};

}  // namespace

TEST(SettingsPage, TableHoldsFourGroupsOfStoringRowsInOrder) {
    Ref<NSArray> table = *make<CVSettingsListController>()->customSpecifiers();
    ASSERT_EQ(table->count(), kTable.size());
    for (size_t i = 0; i < kTable.size(); ++i) {
        SCOPED_TRACE(i);
        auto* row = objc_cast<NSDictionary>(table->objectAtIndex(i));
        ASSERT_TRUE(row);
        if (kTable[i].kind == Kind::Group) {
            EXPECT_EQ(textAt(*row, "cell"), "PSGroupCell");
            EXPECT_EQ(textAt(*row, "label"), kTable[i].label ? kTable[i].label : "<none>");
            EXPECT_EQ(row->count(), kTable[i].label ? 2u : 1u) << "no footer, nothing else";
        } else {
            checkStoringRow(*row, kTable[i]);
        }
    }
}

TEST(SettingsPage, AnEmptyPreferenceFileShowsEverySwitchOffAndTheDeclaredColours) {
    PaneDevice device;
    device.root().writePreferences(make<NSDictionary>());
    Shown shown;
    for (size_t i = 0; i < kTable.size(); ++i) {
        if (kTable[i].kind != Kind::Switch) continue;
        EXPECT_FALSE(shown.switchOn(i)) << kTable[i].label;
    }
    EXPECT_EQ(shown.valueShown(6), "Black");
    EXPECT_EQ(shown.valueShown(7), "Clear");
    EXPECT_EQ(shown.valueShown(10), "Clear");
}

TEST(SettingsPage, ShowsStoredValues) {
    PaneDevice device;
    device.root().writePreferences(NSDictionary::dictionaryWithObjectsAndKeys(
        {{"kVoice", NSNumber::numberWithBool(true)}, {"fgc", NSNumber::numberWithInteger(13)},
         {"call", NSNumber::numberWithInteger(8)}}));
    Shown shown;
    EXPECT_TRUE(shown.switchOn(13));
    EXPECT_FALSE(shown.switchOn(12));
    EXPECT_EQ(shown.valueShown(6), "White");
    EXPECT_EQ(shown.valueShown(7), "Clear");
    EXPECT_EQ(shown.valueShown(10), "Green");
}

TEST(SettingsPage, RowsResolveTheirClassesAndTheTwoBackgroundListsShareAnId) {
    PaneDevice device;
    Shown shown;
    CVSettingsListController& page = *shown.page;
    ASSERT_EQ(page.rowCount(), kTable.size());
    EXPECT_STREQ(page.cellAtRow(1)->className(), "TXTintedSwitchCell");
    EXPECT_EQ(page.specifierAtRow(6)->detailControllerClass(), objc_getClass("TXListItemsController"));
    EXPECT_EQ(page.specifierAtRow(7)->identifier(), "Background Colour");
    EXPECT_EQ(page.specifierAtRow(10)->identifier(), "Background Colour");
    EXPECT_EQ(page.title(), "");
    EXPECT_TRUE(page.navigationItem()->rightBarButtonItems().empty()) << "no heart";
    UISwitchAppearance* switches = UISwitch::appearanceWhenContainedIn(CVSettingsListController::class_());
    ASSERT_TRUE(switches->onTintColor() && switches->tintColor());
    EXPECT_TRUE(switches->onTintColor()->isEqual(*UIColor::darkGrayColor()));
    EXPECT_TRUE(switches->tintColor()->isEqual(*UIColor::grayColor()));
    ASSERT_TRUE(page.table()->tableHeaderView());
    EXPECT_EQ(objc_cast<UILabel>(page.table()->tableHeaderView()->subviews().at(1))->text(), "Settings");
}

TEST(SettingsPage, PickingCyanStoresTheIndexOfItsOwnTableAndRestarts) {
    PaneDevice device;
    NotificationRecorder recorder;
    Shown shown;
    shown.pick(6, "Cyan");
    shown.pick(7, "Cyan");
    shown.pick(10, "Cyan");
    for (const auto& [key, index] : {std::pair{"fgc", 4}, {"bgc", 5}, {"call", 5}}) {
        const auto storedKept = device.storedValue(key);
        auto* stored = objc_cast<NSNumber>(storedKept.get());
        ASSERT_TRUE(stored) << key;
        EXPECT_EQ(stored->intValue(), index) << key;
    }
    for (size_t row : {6, 7, 10}) EXPECT_EQ(shown.valueShown(row), "Cyan") << row;
    EXPECT_EQ(recorder.count(cf::NotificationCall::Post), 3u);
    EXPECT_EQ(device.killallRuns().size(), 3u);
}

TEST(SettingsPage, OnAFreshDevicePickingTheClearCallColourShownStoresItAndRestarts) {
    PaneDevice device;
    NotificationRecorder recorder;
    Shown shown;
    EXPECT_EQ(shown.valueShown(10), "Clear");
    shown.pick(10, "Clear");
    const auto storedKept = device.storedValue("call");
    auto* stored = objc_cast<NSNumber>(storedKept.get());
    ASSERT_TRUE(stored) << "the Phone app, with nothing stored, would keep its own green";
    EXPECT_EQ(stored->intValue(), 4);
    EXPECT_EQ(recorder.count(cf::NotificationCall::Post), 1u);
    EXPECT_EQ(device.killallRuns().size(), 1u);

    shown.pick(10, "Clear");
    EXPECT_EQ(recorder.count(cf::NotificationCall::Post), 1u) << "picked again once stored: nothing new";
    EXPECT_EQ(device.killallRuns().size(), 1u);
}

TEST(SettingsPage, FlippingASwitchStoresAPostsAndRestartsEvenAfterAChoiceList) {
    PaneDevice device;
    NotificationRecorder recorder;
    Shown shown;
    ASSERT_TRUE(shown.page->tapRow(6));
    shown.navigation->popViewControllerAnimated(false);
    ASSERT_TRUE(shown.page->tapRow(13));
    const auto storedKept = device.storedValue("kVoice");
    auto* stored = objc_cast<NSNumber>(storedKept.get());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->kind(), NSNumber::Kind::Boolean);
    EXPECT_TRUE(stored->boolValue());
    EXPECT_TRUE(shown.switchOn(13));
    ASSERT_EQ(recorder.count(cf::NotificationCall::Post), 1u);
    EXPECT_EQ(device.killallRuns(), std::vector<std::string>{"-9 MobilePhone"});
}
