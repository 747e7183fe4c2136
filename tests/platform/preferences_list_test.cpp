// The Preferences framework's pages through a real navigation controller on a scratch device.

#include <gtest/gtest.h>

#include <filesystem>

#include "CoreFoundation/CFNotificationRecording.h"
#include "Foundation/NSNumber.h"
#include "Preferences/PSListController.h"
#include "Preferences/PreferencesStore.h"
#include "ScratchDevice.h"

namespace {

Ref<NSArray> numbers(std::initializer_list<long long> values) {
    std::vector<Ref<NSObject>> items;
    for (long long v : values) items.push_back(NSNumber::numberWithInteger(v));
    return make<NSArray>(std::move(items));
}

Ref<NSArray> strings(std::initializer_list<const char*> values) {
    std::vector<Ref<NSObject>> items;
    for (const char* v : values) items.push_back(NSString::string(v));
    return make<NSArray>(std::move(items));
}

class CountingCell : public PSSwitchTableCell {
    OBJC_INTERFACE(CountingCell, PSSwitchTableCell)

public:
    CountingCell() = default;
    UITableViewCell* initWithStyle(UITableViewCellStyle style, const std::string& reuse) override {
        ++initialised;
        return PSSwitchTableCell::initWithStyle(style, reuse);
    }
    static inline int initialised = 0;
};

class SamplePage : public PSListController {
    OBJC_INTERFACE(SamplePage, PSListController)

public:
    SamplePage() = default;
    NSArray* specifiers() override {
        if (_specifiers) return _specifiers;
        auto rows = make<NSMutableArray>();
        rows->addObject(PSSpecifier::groupSpecifierWithName(NSString::string("Group")));
        rows->addObject(row("Hide", PSSwitchCell, "kVoice", NSNumber::numberWithBool(false), "com.test.prefs/Changed"));
        auto choice = row("Colour", PSLinkListCell, "fgc", NSNumber::numberWithInteger(1), "com.test.prefs/Changed");
        choice->setValues(numbers({1, 2, 4}), strings({"Black", "Blue", "Cyan"}));
        rows->addObject(choice);
        auto quiet = row("Quiet", PSSwitchCell, "tab", NSNumber::numberWithBool(true), "");
        quiet->setProperty(objc_classAsObject(CountingCell::class_()), "cellClass");
        quiet->setProperty(NSNumber::numberWithInteger(100), "height");
        rows->addObject(quiet);
        auto plain = PSSpecifier::preferenceSpecifierNamed(NSString::string("Act"), this, nullptr, nullptr, nullptr, PSLinkCell, nullptr);
        plain->action = SELECTOR("act");
        rows->addObject(plain);
        auto withSender = PSSpecifier::preferenceSpecifierNamed(NSString::string("Act2"), this, nullptr, nullptr, nullptr, PSLinkCell, nullptr);
        withSender->action = SELECTOR("actWith:");
        rows->addObject(withSender);
        rows->addObject(PSSpecifier::preferenceSpecifierNamed(NSString::string("Nothing"), this, nullptr, nullptr, nullptr, PSLinkCell, nullptr));
        _specifiers = rows;
        return _specifiers;
    }
    Ref<PSSpecifier> row(const char* name, PSCellType type, const char* key, Ref<NSObject> def, const char* post) {
        auto s = PSSpecifier::preferenceSpecifierNamed(NSString::string(name), this, SELECTOR("setPreferenceValue:specifier:"),
                                                       SELECTOR("readPreferenceValue:"),
                                                       type == PSLinkListCell ? PSListItemsController::class_() : nullptr,
                                                       type, nullptr);
        s->setProperty(NSString::string(key), "key");
        s->setProperty(def, "default");
        s->setProperty(NSString::string("com.test.prefs"), "defaults");
        s->setProperty(NSString::string(post), "PostNotification");
        return s;
    }
    int acted = 0;
    NSObject* actedWith = nullptr;
};

struct Posts {
    Posts() {
        token = cf::addNotificationTap([this](const cf::NotificationCallRecord& r) {
            if (r.call == cf::NotificationCall::Post) names.push_back(r.name);
        });
    }
    ~Posts() { cf::removeNotificationTap(token); }
    std::vector<std::string> names;
    cf::NotificationTapToken token;
};

long long stored(const char* key) {
    auto* n = objc_cast<NSNumber>(PreferencesStore::readPreferenceValue("com.test.prefs", key).get());
    return n ? n->longLongValue() : -1;
}

}  // namespace

OBJC_IMPLEMENTATION(CountingCell)
OBJC_IMPLEMENTATION(SamplePage, objc::method("act", [](id self, SEL) { ++static_cast<SamplePage*>(self)->acted; }),
                    objc::method("actWith:", [](id self, SEL, id s) { static_cast<SamplePage*>(self)->actedWith = s; }))

TEST(PSListController, SwitchRowsShowTheDefaultThenStoreAndPostOnAFlip) {
    ScratchDevice device;
    Posts posts;
    auto page = make<SamplePage>();
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    auto* hide = objc_cast<PSSwitchTableCell>(page->cellAtRow(1));
    ASSERT_TRUE(hide);
    EXPECT_EQ(hide->titleTextLabel()->text(), "Hide");
    EXPECT_FALSE(hide->switchControl()->isOn());
    EXPECT_EQ(page->cellAtRow(0), nullptr) << "a group has no cell";
    EXPECT_TRUE(page->tapRow(1));
    EXPECT_TRUE(hide->switchControl()->isOn());
    EXPECT_EQ(stored("kVoice"), 1);
    EXPECT_EQ(posts.names, std::vector<std::string>{"com.test.prefs/Changed"});
    EXPECT_TRUE(page->tapRow(3)) << "a switch with an empty notification name";
    EXPECT_EQ(stored("tab"), 0) << "its default was on, so the flip stores off";
    EXPECT_EQ(posts.names.size(), 1u) << "an empty notification name posts nothing";
}

TEST(PSListController, ChoiceRowsOpenTheirListWhosePickStoresThePairedValue) {
    ScratchDevice device;
    Posts posts;
    auto page = make<SamplePage>();
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    auto* colour = objc_cast<PSTableCell>(page->cellAtRow(2));
    EXPECT_EQ(colour->valueText(), "Black") << "the default's title";
    ASSERT_TRUE(page->tapRow(2));
    auto* list = objc_cast<PSListItemsController>(nav->topViewController());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->specifier(), page->specifierAtRow(2));
    EXPECT_EQ(list->parentController(), page.get());
    EXPECT_EQ(list->navigationTitle(), "Colour");
    ASSERT_EQ(list->rowCount(), 4u);
    EXPECT_EQ(list->specifierAtRow(3)->name()->str(), "Cyan");
    EXPECT_TRUE(objc_cast<PSTableCell>(list->cellAtRow(1))->isChecked());
    EXPECT_TRUE(list->tapRow(3));
    EXPECT_EQ(stored("fgc"), 4);
    EXPECT_FALSE(objc_cast<PSTableCell>(list->cellAtRow(1))->isChecked());
    EXPECT_TRUE(objc_cast<PSTableCell>(list->cellAtRow(3))->isChecked());
    EXPECT_EQ(posts.names.size(), 1u);
    nav->popViewControllerAnimated(true);
    EXPECT_EQ(colour->valueText(), "Cyan") << "the page shows the new value when it comes back";
}

TEST(PSListController, ActionsCellClassesAndHeights) {
    ScratchDevice device;
    auto page = make<SamplePage>();
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    CountingCell::initialised = 0;
    EXPECT_TRUE(objc_cast<CountingCell>(page->cellAtRow(3)));
    EXPECT_EQ(CountingCell::initialised, 1) << "created by name through its own initialiser";
    EXPECT_EQ(page->heightOfRow(3), 100);
    EXPECT_EQ(page->heightOfRow(1), 44);
    EXPECT_TRUE(page->tapRow(4));
    EXPECT_EQ(page->acted, 1);
    EXPECT_TRUE(page->tapRow(5));
    EXPECT_EQ(page->actedWith, page->specifierAtRow(5));
    EXPECT_FALSE(page->tapRow(6)) << "a row that opens nothing";
    EXPECT_FALSE(page->tapRow(0));
    EXPECT_FALSE(page->tapRow(99));
}

TEST(PSListController, AnInvalidDomainStoresAndPostsNothing) {
    ScratchDevice device;
    Posts posts;
    auto page = make<SamplePage>();
    PSSpecifier* hide = page->specifierAtRow(1);
    hide->setProperty(NSString::string("../evil"), "defaults");
    page->setPreferenceValue(NSNumber::numberWithBool(true), hide);
    EXPECT_TRUE(posts.names.empty());
    EXPECT_FALSE(device.exists("/var/evil.plist"));
}

TEST(PSListController, LoadsItsOwnSpecifierListFromTheBundle) {
    ScratchDevice device;
    auto page = make<SamplePage>();
    const std::string dir = page->bundle()->bundlePath();
    auto list = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"title", NSString::string("Loaded")},
         {"items", NSArray::arrayWithObjects({NSDictionary::dictionaryWithObjectsAndKeys({{"cell", NSString::string("PSGroupCell")}}),
                                              NSDictionary::dictionaryWithObjectsAndKeys(
                                                  {{"cell", NSString::string("PSSwitchCell")},
                                                   {"label", NSString::string("Flag")},
                                                   {"key", NSString::string("flag")}})})}});
    const std::string file = dir + "/CorvaneListTest.plist";
    std::ofstream(file, std::ios::binary) << *plist::serialize(list, plist::Format::XML);
    auto rows = page->loadSpecifiersFromPlistName("CorvaneListTest", page);
    std::filesystem::remove(file);
    ASSERT_EQ(rows->count(), 2u);
    auto* flag = objc_cast<PSSpecifier>(rows->objectAtIndex(1));
    EXPECT_EQ(flag->cellType(), PSSwitchCell);
    EXPECT_EQ(flag->target(), page.get());
    EXPECT_EQ(objc_cast<NSString>(flag->propertyForKey("key"))->str(), "flag");
    EXPECT_EQ(page->title(), "Loaded");
    EXPECT_EQ(page->loadSpecifiersFromPlistName("Missing", page)->count(), 0u);
}
