// Storing and reading a row's value through the list controller's default setter and getter, and
// what the switch rows of a shown page do with them.

#include <gtest/gtest.h>

#include "PreferencePages.h"
#include "Preferences/PreferencesStore.h"

namespace {

Ref<NSObject> yes() { return NSNumber::numberWithBool(true); }
Ref<NSObject> no() { return NSNumber::numberWithBool(false); }

}  // namespace

TEST(PreferenceValues, StoringPostsOnlyANonEmptyNotificationName) {
    ScratchDevice device;
    PostedNames posts;
    StoredValues stores;
    auto page = make<TestPage>();
    auto named = page->storedRow("Named", PSSwitchCell, "named", no());
    auto empty = page->storedRow("Empty", PSSwitchCell, "empty", no(), "");
    auto none = page->storedRow("None", PSSwitchCell, "none", no(), nullptr);

    page->setPreferenceValue(yes(), named);
    page->setPreferenceValue(yes(), empty);
    page->setPreferenceValue(yes(), none);

    EXPECT_EQ(posts.names, std::vector<std::string>{kTestNotification});
    EXPECT_EQ(storedNumber("named"), 1);
    EXPECT_EQ(storedNumber("empty"), 1) << "an empty notification name still stores";
    EXPECT_EQ(storedNumber("none"), 1);
    EXPECT_EQ(stores.entries, (std::vector<std::string>{"com.test.prefs named=1", "com.test.prefs empty=1",
                                                         "com.test.prefs none=1"}));
}

TEST(PreferenceValues, ARefusedStoreIsNeitherPostedNorReported) {
    ScratchDevice device;
    PostedNames posts;
    StoredValues stores;
    auto page = make<TestPage>();
    for (const char* domain : {"../evil", "", "a/b"}) {
        auto row = page->storedRow("Row", PSSwitchCell, "key", no());
        row->setProperty(NSString::string(domain), "defaults");
        page->setPreferenceValue(yes(), row);
    }
    auto keyless = page->storedRow("Keyless", PSSwitchCell, "", no());
    page->setPreferenceValue(yes(), keyless);
    // Not a property-list value: the store refuses it rather than write half a file.
    auto row = page->storedRow("Row", PSSwitchCell, "odd", no());
    page->setPreferenceValue(page, row);

    EXPECT_TRUE(posts.names.empty());
    EXPECT_TRUE(stores.entries.empty());
    EXPECT_FALSE(device.exists("/var/mobile/Library/evil.plist"));
    EXPECT_FALSE(storedNumber("odd"));
}

TEST(PreferenceValues, TheGetterGivesTheDefaultUntilAValueIsStored) {
    ScratchDevice device;
    auto page = make<TestPage>();
    auto row = page->storedRow("Row", PSSwitchCell, "flag", yes());
    const auto fallbackKept = page->readPreferenceValue(row);
    auto* fallback = objc_cast<NSNumber>(fallbackKept.get());
    ASSERT_TRUE(fallback);
    EXPECT_TRUE(fallback->boolValue());

    page->setPreferenceValue(no(), row);
    const auto storedKept = page->readPreferenceValue(row);
    auto* stored = objc_cast<NSNumber>(storedKept.get());
    ASSERT_TRUE(stored);
    EXPECT_FALSE(stored->boolValue()) << "a stored NO is a value, not a missing one";

    // Removing the stored value brings the default back.
    page->setPreferenceValue(nullptr, row);
    EXPECT_TRUE(objc_cast<NSNumber>(page->readPreferenceValue(row).get())->boolValue());

    auto noDefault = page->storedRow("Bare", PSSwitchCell, "bare", nullptr);
    EXPECT_EQ(page->readPreferenceValue(noDefault), nullptr);
    EXPECT_EQ(page->readPreferenceValue(nullptr), nullptr);
}

TEST(PreferenceValues, TheGetterAndSetterAnswerByName) {
    ScratchDevice device;
    auto page = make<TestPage>();
    auto row = page->storedRow("Row", PSLinkListCell, "fgc", NSNumber::numberWithInteger(3));
    row->performSetter(NSNumber::numberWithInteger(7));
    EXPECT_EQ(storedNumber("fgc"), 7);
    const auto valueKept = row->performGetter();
    auto* value = objc_cast<NSNumber>(valueKept.get());
    ASSERT_TRUE(value);
    EXPECT_EQ(value->longLongValue(), 7);
}

TEST(PreferenceValues, StorageObserversCanBeRemovedAndReplaced) {
    ScratchDevice device;
    auto page = make<TestPage>();
    auto row = page->storedRow("Row", PSSwitchCell, "flag", no());
    int first = 0, second = 0, hosted = 0;
    auto a = PSListController::addStorageObserver([&](const std::string&, const std::string&, id) { ++first; });
    auto b = PSListController::addStorageObserver([&](const std::string&, const std::string&, id) { ++second; });
    PSListController::setStorageObserver([&](const std::string&, const std::string&, id) { hosted += 10; });
    PSListController::setStorageObserver([&](const std::string&, const std::string&, id) { ++hosted; });
    page->setPreferenceValue(yes(), row);
    PSListController::removeStorageObserver(a);
    page->setPreferenceValue(no(), row);
    PSListController::removeStorageObserver(b);
    PSListController::setStorageObserver(nullptr);
    page->setPreferenceValue(yes(), row);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(hosted, 2) << "a host's observer replaces its earlier one";
}

TEST(PreferenceValues, SwitchRowsShowTheStoredValueAndStoreAFlip) {
    ShownPage shown;
    shown.device.writePlist("/var/mobile/Library/Preferences/com.test.prefs.plist",
                            NSDictionary::dictionaryWithObjectsAndKeys({{"stored", yes()}, {"text", NSString::string("YES")}}),
                            plist::Format::Binary);
    auto rows = make<NSMutableArray>();
    rows->addObject(shown.page->storedRow("Unset", PSSwitchCell, "unset", yes()));
    rows->addObject(shown.page->storedRow("Stored", PSSwitchCell, "stored", no()));
    rows->addObject(shown.page->storedRow("Text", PSSwitchCell, "text", no(), ""));
    shown.page->setSpecifiers(rows);
    shown.show();

    auto switchAt = [&](size_t row) { return objc_cast<PSSwitchTableCell>(shown.page->cellAtRow(row))->switchControl(); };
    EXPECT_TRUE(switchAt(0)->isOn()) << "the default while nothing is stored";
    EXPECT_TRUE(switchAt(1)->isOn()) << "the stored value over the default";
    EXPECT_TRUE(switchAt(2)->isOn()) << "a string stored by hand reads as the platform reads it";

    EXPECT_TRUE(shown.page->tapRow(0));
    EXPECT_FALSE(switchAt(0)->isOn());
    EXPECT_EQ(storedNumber("unset"), 0);
    EXPECT_EQ(shown.posts.names, std::vector<std::string>{kTestNotification});

    EXPECT_TRUE(shown.page->tapRow(2));
    EXPECT_EQ(storedNumber("text"), 0);
    EXPECT_EQ(shown.posts.names.size(), 1u) << "an empty notification name posts nothing";
}

TEST(PreferenceValues, APageShownAgainShowsValuesStoredMeanwhile) {
    ShownPage shown;
    auto rows = make<NSMutableArray>();
    rows->addObject(shown.page->storedRow("Flag", PSSwitchCell, "flag", no()));
    rows->addObject(shown.page->plainRow("More", PSLinkCell, DetailPage::class_()));
    shown.page->setSpecifiers(rows);
    shown.show();
    auto* cell = objc_cast<PSSwitchTableCell>(shown.page->cellAtRow(0));
    ASSERT_TRUE(shown.page->tapRow(1));
    // Another process stores while the page is covered.
    PreferencesStore::setPreferenceValue(kTestDomain, "flag", yes());
    EXPECT_FALSE(cell->switchControl()->isOn());
    shown.nav->popViewControllerAnimated(true);
    EXPECT_TRUE(cell->switchControl()->isOn());
}
