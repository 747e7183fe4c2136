// A page's rows from the framework's own specifier property list in the page's bundle.

#include <gtest/gtest.h>

#include "PreferencePages.h"
#include "objc/message.h"

namespace {

Ref<NSObject> text(const char* s) { return NSString::string(s); }

Ref<NSDictionary> row(std::initializer_list<std::pair<std::string, Ref<NSObject>>> entries) {
    return NSDictionary::dictionaryWithObjectsAndKeys(entries);
}

// A page whose bundle is a scratch directory of its own.
struct BundledPage {
    BundledPage() {
        device.write("Test.bundle/Info.plist", "");
        page->bundleOverride = NSBundle::bundleWithPath(device.host("Test.bundle"));
    }
    void writeList(const char* name, const NSObject* list) {
        device.writePlist(std::string("Test.bundle/") + name + ".plist", list, plist::Format::XML);
    }
    ScratchDevice device;
    Ref<TestPage> page = make<TestPage>();
};

}  // namespace

TEST(SpecifierPlist, RowsComeFromTheItemsListAimedAtTheTarget) {
    BundledPage bundled;
    auto target = make<TestPage>();
    auto list = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"title", text("Loaded")},
         {"items",
          NSArray::arrayWithObjects({
              row({{"cell", text("PSGroupCell")}, {"label", text("Group")}, {"footerText", text("Below")}}),
              row({{"cell", text("PSSwitchCell")}, {"label", text("Flag")}, {"key", text("flag")},
                   {"default", NSNumber::numberWithBool(true)}, {"defaults", text(kTestDomain)},
                   {"PostNotification", text(kTestNotification)}, {"cellClass", text("RecordingCell")},
                   {"height", NSNumber::numberWithInteger(60)}}),
              row({{"cell", text("PSLinkListCell")}, {"label", text("Colour")}, {"detail", text("PSListItemsController")},
                   {"validValues", NSArray::arrayWithObjects({NSNumber::numberWithInteger(1), NSNumber::numberWithInteger(2)})},
                   {"validTitles", NSArray::arrayWithObjects({text("Black"), text("Blue")})}}),
              row({{"cell", text("PSButtonCell")}, {"label", text("Mail")}, {"action", text("act")}}),
              text("not a row"),
              row({{"cell", text("PSLinkCell")}, {"detail", text("NoSuchClass")}, {"cellClass", text("NoSuchCell")}}),
          })}});
    bundled.writeList("Rows", list);

    auto rows = bundled.page->loadSpecifiersFromPlistName("Rows", target);
    ASSERT_EQ(rows->count(), 5u) << "an entry that is no dictionary is skipped";
    EXPECT_EQ(bundled.page->title(), "Loaded");

    auto at = [&](size_t i) { return objc_cast<PSSpecifier>(rows->objectAtIndex(i)); };
    EXPECT_EQ(at(0)->cellType(), PSGroupCell);
    EXPECT_EQ(at(0)->name()->str(), "Group");
    EXPECT_EQ(objc_cast<NSString>(at(0)->propertyForKey("footerText"))->str(), "Below");

    PSSpecifier* flag = at(1);
    EXPECT_EQ(flag->cellType(), PSSwitchCell);
    EXPECT_EQ(flag->target(), target.get());
    EXPECT_EQ(flag->setter(), SELECTOR("setPreferenceValue:specifier:"));
    EXPECT_EQ(flag->getter(), SELECTOR("readPreferenceValue:"));
    EXPECT_EQ(objc_objectAsClass(flag->propertyForKey("cellClass")), RecordingCell::class_());
    EXPECT_EQ(objc_cast<NSString>(flag->propertyForKey("key"))->str(), "flag");
    EXPECT_TRUE(objc_cast<NSNumber>(flag->performGetter().get())->boolValue()) << "the row's default, through its target";

    PSSpecifier* colour = at(2);
    EXPECT_EQ(colour->detailControllerClass(), PSListItemsController::class_());
    ASSERT_TRUE(colour->titleForValue(NSNumber::numberWithInteger(2)));
    EXPECT_EQ(colour->titleForValue(NSNumber::numberWithInteger(2))->str(), "Blue");
    EXPECT_EQ(colour->propertyForKey("validValues"), nullptr);
    EXPECT_EQ(colour->propertyForKey("validTitles"), nullptr);

    EXPECT_EQ(at(3)->action, SELECTOR("act"));
    EXPECT_EQ(at(4)->name()->str(), "") << "a row without a label";
    EXPECT_EQ(at(4)->detailControllerClass(), nullptr);
    EXPECT_EQ(at(4)->propertyForKey("cellClass"), nullptr);
}

TEST(SpecifierPlist, LoadedRowsWorkOnTheShownPage) {
    BundledPage bundled;
    ShownPage shown;
    shown.page->bundleOverride = bundled.page->bundleOverride;
    bundled.writeList("Rows", NSDictionary::dictionaryWithObjectsAndKeys(
                                  {{"items", NSArray::arrayWithObjects({row({{"cell", text("PSSwitchCell")},
                                                                             {"label", text("Flag")},
                                                                             {"key", text("flag")},
                                                                             {"defaults", text(kTestDomain)},
                                                                             {"PostNotification", text(kTestNotification)}})})}}));
    shown.page->setSpecifiers(shown.page->loadSpecifiersFromPlistName("Rows", shown.page));
    shown.show();
    EXPECT_TRUE(shown.page->tapRow(0));
    EXPECT_EQ(storedNumber("flag"), 1);
    EXPECT_EQ(shown.posts.names, std::vector<std::string>{kTestNotification});
}

TEST(SpecifierPlist, AMissingOrMalformedListGivesNoRows) {
    BundledPage bundled;
    bundled.page->setTitle("Kept");
    bundled.device.write("Test.bundle/Corrupt.plist", "<?xml version=\"1.0\"?><plist><dict><key>items</key>");
    bundled.writeList("NoItems", NSDictionary::dictionaryWithObjectsAndKeys({{"title", text("Other")}}));
    bundled.writeList("ItemsNotAList", NSDictionary::dictionaryWithObjectsAndKeys({{"items", text("rows")}}));
    bundled.writeList("TopLevelList", NSArray::arrayWithObjects({row({{"cell", text("PSSwitchCell")}})}));
    bundled.device.write("Outside.plist", "");

    for (const char* name : {"Missing", "Corrupt", "NoItems", "ItemsNotAList", "TopLevelList", "../Outside", ""}) {
        auto rows = bundled.page->loadSpecifiersFromPlistName(name, bundled.page);
        ASSERT_TRUE(rows) << name;
        EXPECT_EQ(rows->count(), 0u) << name;
    }
    EXPECT_EQ(bundled.page->title(), "Kept") << "a list without rows sets no title";
}
