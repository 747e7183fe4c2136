#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSNumber.h"
#include "ScratchDevice.h"
#include "device/DevicePath.h"

namespace {

Ref<NSDictionary> table(std::initializer_list<std::pair<std::string, Ref<NSObject>>> entries) {
    return NSDictionary::dictionaryWithObjectsAndKeys(entries);
}
Ref<NSObject> text(const char* s) { return NSString::string(s); }

class ExecutableProbe : public NSObject {
    OBJC_INTERFACE(ExecutableProbe, NSObject)

public:
    ExecutableProbe() = default;
};

// Each test gets a device root and bundles of its own: bundles are read once per directory.
class Bundles : public ::testing::Test {
protected:
    void setLanguages(std::initializer_list<const char*> languages) {
        std::vector<Ref<NSObject>> list;
        for (const char* l : languages) list.push_back(NSString::string(l));
        device.writePlist(device::kGlobalPreferencesPath,
                          table({{"AppleLanguages", make<NSArray>(std::move(list))}}), plist::Format::Binary);
    }
    // A bundle directory "<name>.bundle" holding one Localizable table per localisation.
    NSBundle* bundleWith(const std::string& name, std::initializer_list<const char*> localizations,
                         plist::Format format = plist::Format::Binary) {
        const std::string dir = name + ".bundle";
        for (const char* l : localizations)
            device.writePlist(dir + "/" + l + ".lproj/Localizable.strings",
                              table({{"Greeting", text((std::string("hello in ") + l).c_str())}}), format);
        std::filesystem::create_directories(device.host(dir));
        return NSBundle::bundleWithPath(device.host(dir));
    }

    ScratchDevice device;
};

}  // namespace

OBJC_IMPLEMENTATION(ExecutableProbe)

TEST(BundleForClass, FindsTheDirectoryOfTheSharedObjectThatDefinesTheClass) {
    void* code = ::dlopen(TEST_BUNDLE_EXECUTABLE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(code, nullptr) << ::dlerror();
    Class probe = objc_getClass("BundleProbe");
    ASSERT_NE(probe, nullptr);

    NSBundle* bundle = NSBundle::bundleForClass(probe);
    ASSERT_NE(bundle, nullptr);
    const std::string expected = std::filesystem::canonical(std::filesystem::path(TEST_BUNDLE_EXECUTABLE).parent_path());
    EXPECT_EQ(bundle->bundlePath(), expected);
    EXPECT_EQ(bundle, NSBundle::bundleWithPath(expected + "/"));
    auto* principal = objc_cast<NSString>(bundle->objectForInfoDictionaryKey("NSPrincipalClass"));
    ASSERT_NE(principal, nullptr);
    EXPECT_EQ(principal->str(), "BundleProbe");
    EXPECT_EQ(bundle->pathForResource("Info", "plist"), expected + "/Info.plist");

    // Classes of other objects lead elsewhere: a framework's library, the test program itself.
    NSBundle* framework = NSBundle::bundleForClass(NSString::class_());
    ASSERT_NE(framework, nullptr);
    EXPECT_NE(framework, bundle);
    EXPECT_TRUE(std::filesystem::exists(framework->bundlePath() + "/libFoundation.so"));
    EXPECT_EQ(NSBundle::bundleForClass(ExecutableProbe::class_()), NSBundle::mainBundle());
    EXPECT_EQ(NSBundle::bundleForClass(nullptr), nullptr);
}

TEST_F(Bundles, AreOnePerDirectoryAndOnlyForDirectories) {
    device.write("Plain.bundle/file", "x");
    NSBundle* bundle = NSBundle::bundleWithPath(device.host("Plain.bundle"));
    ASSERT_NE(bundle, nullptr);
    std::filesystem::create_directory_symlink(device.host("Plain.bundle"), device.host("Link.bundle"));
    EXPECT_EQ(NSBundle::bundleWithPath(device.host("Link.bundle")), bundle);
    EXPECT_EQ(NSBundle::bundleWithPath(device.host("Plain.bundle/")), bundle);
    EXPECT_EQ(NSBundle::bundleWithPath(device.host("Plain.bundle/file")), nullptr);
    EXPECT_EQ(NSBundle::bundleWithPath(device.host("Missing.bundle")), nullptr);
    EXPECT_EQ(NSBundle::bundleWithPath(""), nullptr);
}

TEST_F(Bundles, InfoDictionaryReadsEitherEncodingAndIsEmptyWhenMissingOrCorrupt) {
    auto info = table({{"CFBundleExecutable", text("Corvane")}, {"Version", NSNumber::numberWithInteger(3)}});
    device.writePlist("Xml.bundle/Info.plist", info, plist::Format::XML);
    device.writePlist("Bin.bundle/Info.plist", info, plist::Format::Binary);
    device.write("Corrupt.bundle/Info.plist", "<plist><dict><key>");
    device.writePlist("Array.bundle/Info.plist", make<NSArray>(), plist::Format::XML);
    std::filesystem::create_directories(device.host("Bare.bundle"));
    for (const char* name : {"Xml.bundle", "Bin.bundle"}) {
        NSBundle* bundle = NSBundle::bundleWithPath(device.host(name));
        ASSERT_NE(bundle, nullptr);
        auto* executable = objc_cast<NSString>(bundle->objectForInfoDictionaryKey("CFBundleExecutable"));
        ASSERT_NE(executable, nullptr) << name;
        EXPECT_EQ(executable->str(), "Corvane");
        EXPECT_EQ(objc_cast<NSNumber>(bundle->objectForInfoDictionaryKey("Version"))->intValue(), 3);
    }
    for (const char* name : {"Corrupt.bundle", "Array.bundle", "Bare.bundle"}) {
        NSBundle* bundle = NSBundle::bundleWithPath(device.host(name));
        ASSERT_NE(bundle->infoDictionary(), nullptr) << name;
        EXPECT_EQ(bundle->infoDictionary()->count(), 0u) << name;
        EXPECT_EQ(bundle->objectForInfoDictionaryKey("CFBundleExecutable"), nullptr);
    }
}

TEST_F(Bundles, TheFirstPreferredLanguageTheBundleHasWins) {
    NSBundle* bundle = bundleWith("Multi", {"en", "fr", "pt", "Base"});
    EXPECT_EQ(bundle->localizations(), (std::vector<std::string>{"Base", "en", "fr", "pt"}));

    setLanguages({"de", "fr", "en"});
    EXPECT_EQ(bundle->localizedString("Greeting"), "hello in fr");
    // The device's languages are read again once they change, and so is the table in use.
    setLanguages({"en", "fr"});
    EXPECT_EQ(bundle->localizedString("Greeting"), "hello in en");
    setLanguages({"pt-BR"});
    EXPECT_EQ(bundle->localizedString("Greeting"), "hello in pt");
    EXPECT_EQ(bundle->preferredLocalization(), "pt");
}

TEST_F(Bundles, FallsBackToEnglishThenBase) {
    setLanguages({"ja"});
    EXPECT_EQ(bundleWith("EnAndBase", {"Base", "en", "fr"})->localizedString("Greeting"), "hello in en");
    EXPECT_EQ(bundleWith("BaseOnly", {"Base", "fr"})->localizedString("Greeting"), "hello in Base");
    NSBundle* none = bundleWith("FrenchOnly", {"fr"});
    EXPECT_EQ(none->preferredLocalization(), std::nullopt);
    EXPECT_EQ(none->localizedString("Greeting"), "Greeting");
    // Without any language preference at all, English is chosen too.
    std::filesystem::remove(device.host(device::kGlobalPreferencesPath));
    EXPECT_EQ(bundleWith("NoPreference", {"fr", "en"})->localizedString("Greeting"), "hello in en");
}

TEST_F(Bundles, AMissingKeyGivesTheValueIfNonEmptyElseTheKey) {
    NSBundle* bundle = bundleWith("Missing", {"en"});
    EXPECT_EQ(bundle->localizedString("Absent", "Fallback"), "Fallback");
    EXPECT_EQ(bundle->localizedString("Absent", ""), "Absent");
    EXPECT_EQ(bundle->localizedString("Absent"), "Absent");

    auto key = NSString::string("Absent");
    auto value = NSString::string("Fallback");
    auto empty = NSString::string("");
    EXPECT_EQ(bundle->localizedStringForKey(key, value, nullptr)->str(), "Fallback");
    EXPECT_EQ(bundle->localizedStringForKey(key, empty, nullptr)->str(), "Absent");
    EXPECT_EQ(bundle->localizedStringForKey(key, nullptr, nullptr)->str(), "Absent");
    EXPECT_EQ(bundle->localizedStringForKey(NSString::string("Greeting"), value, nullptr)->str(), "hello in en");
    EXPECT_EQ(bundle->localizedStringForKey(nullptr, value, nullptr)->str(), "Fallback");
    EXPECT_EQ(bundle->localizedStringForKey(nullptr, nullptr, nullptr)->str(), "");
}

TEST_F(Bundles, TablesInEitherEncodingNamedTablesAndTopLevelTables) {
    EXPECT_EQ(bundleWith("Xml", {"en"}, plist::Format::XML)->localizedString("Greeting"), "hello in en");
    EXPECT_EQ(bundleWith("Bin", {"en"}, plist::Format::Binary)->localizedString("Greeting"), "hello in en");

    device.writePlist("Named.bundle/en.lproj/Root.strings", table({{"Title", text("Root title")}}), plist::Format::XML);
    device.writePlist("Named.bundle/Localizable.strings", table({{"Title", text("Top level")}}), plist::Format::Binary);
    NSBundle* named = NSBundle::bundleWithPath(device.host("Named.bundle"));
    EXPECT_EQ(named->localizedString("Title", "", "Root"), "Root title");
    auto rootTable = NSString::string("Root");
    EXPECT_EQ(named->localizedStringForKey(NSString::string("Title"), nullptr, rootTable)->str(), "Root title");
    // The localisation has no default table, so the one at the bundle's top level answers.
    EXPECT_EQ(named->localizedString("Title"), "Top level");
    EXPECT_EQ(named->localizedString("Title", "", "Other"), "Title");
    EXPECT_EQ(named->localizedString("Title", "", "../Named.bundle/Localizable"), "Title");
}

TEST_F(Bundles, UnreadableTablesAndNonTextEntriesGiveTheFallback) {
    device.write("Broken.bundle/en.lproj/Localizable.strings", "\"Greeting\" = \"text format\";");
    NSBundle* broken = NSBundle::bundleWithPath(device.host("Broken.bundle"));
    EXPECT_EQ(broken->localizedString("Greeting", "fallback"), "fallback");
    device.writePlist("Odd.bundle/en.lproj/Localizable.strings",
                      table({{"Number", NSNumber::numberWithInteger(5)}, {"Text", text("ok")}}), plist::Format::XML);
    NSBundle* odd = NSBundle::bundleWithPath(device.host("Odd.bundle"));
    EXPECT_EQ(odd->localizedString("Number"), "Number");
    EXPECT_EQ(odd->localizedString("Text"), "ok");
}

TEST_F(Bundles, ResourcesAreFoundAtTheTopLevelThenInTheLocalisation) {
    setLanguages({"fr"});
    device.write("Res.bundle/heart.png", "top");
    device.write("Res.bundle/fr.lproj/heart.png", "french");
    device.write("Res.bundle/fr.lproj/only-french.png", "french");
    device.write("Res.bundle/de.lproj/only-german.png", "german");
    device.write("Outside.png", "outside");
    NSBundle* bundle = NSBundle::bundleWithPath(device.host("Res.bundle"));
    const std::string dir = bundle->bundlePath();
    EXPECT_EQ(bundle->pathForResource("heart", "png"), dir + "/heart.png");
    EXPECT_EQ(bundle->pathForResource("heart.png"), dir + "/heart.png");
    EXPECT_EQ(bundle->pathForResource("heart", ".png"), dir + "/heart.png");
    EXPECT_EQ(bundle->pathForResource("only-french", "png"), dir + "/fr.lproj/only-french.png");
    EXPECT_EQ(bundle->pathForResource("only-german", "png"), std::nullopt);
    EXPECT_EQ(bundle->pathForResource("missing", "png"), std::nullopt);
    EXPECT_EQ(bundle->pathForResource("fr.lproj", ""), std::nullopt);  // directories are no resources
    EXPECT_EQ(bundle->pathForResource("../Outside", "png"), std::nullopt);
    EXPECT_EQ(bundle->pathForResource(device.host("Outside"), "png"), std::nullopt);
    EXPECT_EQ(bundle->pathForResource("", ""), std::nullopt);
}
