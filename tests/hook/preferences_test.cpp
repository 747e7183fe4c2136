#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>

#include "ColourTables.h"
#include "DeviceRoot.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Preferences.h"
#include "UIKit/UIColor.h"

using namespace corvane;
using testing_support::DeviceRoot;

namespace {

constexpr const char* kPrefs = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";

class PreferenceFile : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("SIMULATOR_ROOT", device.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("SIMULATOR_ROOT"); }

    void write(std::initializer_list<std::pair<std::string, Ref<NSObject>>> entries,
               plist::Format format = plist::Format::Binary) {
        device.writePreferences(NSDictionary::dictionaryWithObjectsAndKeys(entries), format);
    }
    DeviceRoot device;
};

Ref<NSObject> boolean(bool v) { return NSNumber::numberWithBool(v); }
Ref<NSObject> integer(long long v) { return NSNumber::numberWithInteger(v); }

}  // namespace

TEST_F(PreferenceFile, BooleansReadTheSameFromBothEncodings) {
    for (auto format : {plist::Format::Binary, plist::Format::XML}) {
        write({{"kVoice", boolean(true)}, {"tab", boolean(false)}, {"Blur", integer(2)}}, format);
        EXPECT_TRUE(GetPrefBool(CFSTR("kVoice")));
        EXPECT_FALSE(GetPrefBool(CFSTR("tab")));
        EXPECT_TRUE(GetPrefBool(CFSTR("Blur"))) << "any non-zero number is true";
        EXPECT_FALSE(GetPrefBool(CFSTR("kLCD"))) << "an absent key is false";
    }
}

TEST_F(PreferenceFile, EveryBooleanIsFalseWithoutAUsableFile) {
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "no file";
    device.writeFile(kPrefs, "");
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "empty file";
    auto array = NSArray::arrayWithObjects({boolean(true)});
    device.writeFile(kPrefs, *plist::serialize(array, plist::Format::Binary));
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "not a dictionary";
    write({{"kVoice", boolean(true)}});
    const std::string whole = device.readFile(kPrefs);
    device.writeFile(kPrefs, whole.substr(0, whole.size() / 2));
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "truncated binary file";
    write({{"kVoice", boolean(true)}}, plist::Format::XML);
    const std::string xml = device.readFile(kPrefs);
    device.writeFile(kPrefs, xml.substr(0, xml.size() - 20));
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "truncated XML file";
    device.writeFile(kPrefs, std::string(2 << 20, ' '));
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "oversized file";
    write({{"kVoice", boolean(true)}});
    const std::string tooLong = device.path() + "/" + std::string(PATH_MAX, 'x');
    ::setenv("SIMULATOR_ROOT", tooLong.c_str(), 1);
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "a root too long for a host path";
}

TEST_F(PreferenceFile, ValuesOfOtherKindsReadAsAbsentAndStringsUseTheirReadings) {
    write({{"kVoice", make<NSData>("\x01")},
           {"tab", NSArray::arrayWithObjects({boolean(true)})},
           {"kLCD", NSString::string("YES")},
           {"Blur", NSString::string("  0")},
           {"kStatus", NSString::string("-007")}});
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice")));
    EXPECT_FALSE(GetPrefBool(CFSTR("tab")));
    EXPECT_TRUE(GetPrefBool(CFSTR("kLCD")));
    EXPECT_FALSE(GetPrefBool(CFSTR("Blur")));
    EXPECT_TRUE(GetPrefBool(CFSTR("kStatus")));
}

TEST_F(PreferenceFile, RememberedReadsChangeOnlyForPresentReadableKeys) {
    write({{"call", integer(13)}, {"bgc", make<NSData>("x")}, {"fgc", NSString::string(" 12abc")},
           {"enabled", integer(0)}});
    int call = 8, bgc = 4, fgc = 1, absent = 7;
    bool enabled = true;
    Remember({{CFSTR("call"), &call}, {CFSTR("bgc"), &bgc}});
    Remember({{CFSTR("fgc"), &fgc}, {CFSTR("nothing"), &absent}});
    Remember({{CFSTR("enabled"), &enabled}});
    EXPECT_EQ(call, 13);
    EXPECT_EQ(bgc, 4) << "data has no integer reading";
    EXPECT_EQ(fgc, 12);
    EXPECT_EQ(absent, 7);
    EXPECT_FALSE(enabled);
    device.writeFile(kPrefs, "<plist><array/></plist>");
    Remember({{CFSTR("call"), &call}});
    EXPECT_EQ(call, 13) << "no dictionary leaves every remembered value";
}

TEST(ColourTables, TheTwoTablesAgreeOnlyBelowClear) {
    EXPECT_EQ(BackgroundColour(4), UIColor::clearColor());
    EXPECT_EQ(TextColour(4), UIColor::cyanColor());
    EXPECT_EQ(BackgroundColour(2), TextColour(2));
    EXPECT_EQ(BackgroundColour(15), UIColor::yellowColor());
    EXPECT_EQ(TextColour(14), UIColor::yellowColor());
    EXPECT_EQ(BackgroundColour(8), UIColor::greenColor());
    for (int outside : {0, -1, 16, 1 << 30}) EXPECT_EQ(BackgroundColour(outside), nullptr) << outside;
    for (int outside : {0, -5, 15}) EXPECT_EQ(TextColour(outside), nullptr) << outside;
}

// The hooks read what the Settings app's store would read: a file or folder linked out of the
// device root is no file, and the refusal is said once, naming the link.
TEST_F(PreferenceFile, NothingIsReadThroughALinkOutOfTheDeviceRoot) {
    const std::string outside = device.path() + "-outside";
    const std::string folder = device / "/var/mobile/Library/Preferences";
    write({{"kVoice", boolean(true)}});
    std::filesystem::create_directories(outside);
    std::filesystem::rename(device / kPrefs, outside + "/prefs.plist");
    std::filesystem::create_symlink(outside + "/prefs.plist", device / kPrefs);
    ::testing::internal::CaptureStderr();
    for (int call = 0; call < 5; ++call) EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "a file linked out";
    std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find(device / kPrefs + " (to " + outside + "/prefs.plist) is a link leading out"), std::string::npos) << log;

    std::filesystem::remove(device / kPrefs);
    std::filesystem::rename(folder, outside + "/Preferences");
    std::filesystem::rename(outside + "/prefs.plist", outside + "/Preferences/com.qelmor.corvane.plist");
    std::filesystem::create_directory_symlink(outside + "/Preferences", folder);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(GetPrefBool(CFSTR("kVoice"))) << "the folder linked out";
    log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find(folder + " (to " + outside + "/Preferences) is a link"), std::string::npos) << log;

    // Inside the root a link is followed.
    std::filesystem::remove(folder);
    std::filesystem::rename(outside + "/Preferences", device / "/var/elsewhere");
    std::filesystem::create_directory_symlink("../../elsewhere", folder);
    EXPECT_TRUE(GetPrefBool(CFSTR("kVoice")));
    std::filesystem::remove_all(outside);
}
