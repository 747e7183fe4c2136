// The bundle's Info.plist and the PreferenceLoader entry, and the bundle as the device's Foundation
// reads it: the executable and root class it names, and its texts in the user's language.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>

#include "DeviceRoot.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "ResourcePaths.h"
#include "device/DevicePath.h"
#include "plist/PropertyList.h"

namespace {

namespace fs = std::filesystem;

Ref<NSDictionary> readDictionary(const std::string& path) {
    Ref<NSObject> root = plist::readFile(path);
    return Ref<NSDictionary>(objc_cast<NSDictionary>(root));
}

std::optional<std::string> text(const NSDictionary* dictionary, const char* key) {
    auto* value = dictionary ? objc_cast<NSString>(dictionary->objectForKey(key)) : nullptr;
    if (!value) return std::nullopt;
    return value->str();
}

TEST(BundleInfo, NamesTheExecutableAndTheRootPage) {
    const Ref<NSDictionary> info = readDictionary(resources::bundleDir() + "/Info.plist");
    ASSERT_TRUE(info);
    EXPECT_EQ(text(info, "CFBundleExecutable"), "Corvane");
    EXPECT_EQ(text(info, "NSPrincipalClass"), "CorvaneListController");
    EXPECT_EQ(text(info, "CFBundleIdentifier"), "com.qelmor.corvane.prefs");
    EXPECT_EQ(text(info, "CFBundleVersion"), "1.4-3");
    EXPECT_EQ(text(info, "CFBundlePackageType"), "BNDL");
    EXPECT_EQ(text(info, "CFBundleName"), "Corvane");
}

TEST(LoaderEntry, PointsSettingsAtTheBundle) {
    const Ref<NSDictionary> file = readDictionary(resources::loaderEntry());
    ASSERT_TRUE(file);
    auto* entry = objc_cast<NSDictionary>(file->objectForKey("entry"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(text(entry, "cell"), "PSLinkCell");
    EXPECT_EQ(text(entry, "label"), "Corvane");
    auto* isController = objc_cast<NSNumber>(entry->objectForKey("isController"));
    ASSERT_TRUE(isController);
    EXPECT_EQ(isController->kind(), NSNumber::Kind::Boolean);
    EXPECT_TRUE(isController->boolValue());

    // The loader opens "/Library/PreferenceBundles/<bundle>.bundle" and finds the icon inside it.
    const auto bundle = text(entry, "bundle");
    ASSERT_EQ(bundle, "Corvane");
    EXPECT_EQ(fs::path(resources::bundleDir()),
              fs::path(resources::deviceFiles()) / "Library/PreferenceBundles" / (*bundle + ".bundle"));
    const auto icon = text(entry, "icon");
    ASSERT_TRUE(icon);
    EXPECT_TRUE(fs::is_regular_file(resources::bundleDir() + "/" + *icon)) << *icon;
}

// The staged bundle read through Foundation, with the device's preferred languages in a scratch root.
class BundleLocalisation : public ::testing::Test {
protected:
    void SetUp() override { ::setenv(device::kRootVariable, root_.path().c_str(), 1); }
    void TearDown() override { ::unsetenv(device::kRootVariable); }

    void preferLanguages(std::initializer_list<const char*> languages) const {
        std::vector<Ref<NSObject>> items;
        for (const char* language : languages) items.push_back(NSString::string(language));
        auto preferences = NSDictionary::dictionaryWithObjectsAndKeys({{"AppleLanguages", make<NSArray>(items)}});
        root_.writeFile(device::kGlobalPreferencesPath, plist::serialize(preferences, plist::Format::Binary).value());
    }

    static const NSBundle* bundle() { return NSBundle::bundleWithPath(resources::bundleDir()); }

    testing_support::DeviceRoot root_;
};

TEST_F(BundleLocalisation, GermanDeviceShowsGermanTexts) {
    preferLanguages({"de-DE", "en"});
    ASSERT_TRUE(bundle());
    EXPECT_EQ(bundle()->localizedString("Black Tab Buttons"), "Schwarze Tab-Tasten");
    EXPECT_EQ(bundle()->localizedString("White"), "Weiß");
    // The header title has no entry and shows as itself.
    EXPECT_EQ(bundle()->localizedString("Corvane"), "Corvane");
}

TEST_F(BundleLocalisation, OtherLanguagesFallBackToEnglish) {
    preferLanguages({"fr"});
    ASSERT_TRUE(bundle());
    EXPECT_EQ(bundle()->localizedString("Black Tab Buttons"), "Black Tab Buttons");
    EXPECT_EQ(bundle()->localizedString("Credits"), "Credits");
}

TEST_F(BundleLocalisation, InfoDictionaryReachesFoundation) {
    ASSERT_TRUE(bundle());
    auto* principal = objc_cast<NSString>(bundle()->objectForInfoDictionaryKey("NSPrincipalClass"));
    ASSERT_TRUE(principal);
    EXPECT_EQ(principal->str(), "CorvaneListController");
    EXPECT_EQ(bundle()->localizations(), (std::vector<std::string>{"de", "en"}));
}

}  // namespace
