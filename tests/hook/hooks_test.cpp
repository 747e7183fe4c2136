// The ten hooks as the Phone app sees them: the real Corvane.dylib injected into the real MobilePhone.

#include <gtest/gtest.h>

#include "DeviceRoot.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "PhoneSession.h"
#include "ReportFields.h"

using testing_support::DeviceRoot;
using testing_support::messageField;

namespace {

constexpr const char* kGreen = "[0,1,0,1]";
constexpr const char* kStockGreen = "[0.2980392156862745,0.8509803921568627,0.39215686274509803,1]";  // 76, 217, 100 of 255

class Hooks : public ::testing::Test {
protected:
    void SetUp() override { device.installHookLibrary(); }

    void prefs(std::initializer_list<std::pair<std::string, Ref<NSObject>>> entries,
               plist::Format format = plist::Format::Binary) {
        device.writePreferences(NSDictionary::dictionaryWithObjectsAndKeys(entries), format);
    }

    // One fresh Phone process, one report.
    std::string report() {
        auto result = testing_support::run({testing_support::Built::mobilePhone(), "--root", device.path(), "--report"});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    std::string received(const std::string& report, const std::string& selector) {
        return messageField(report, selector, "received");
    }

    DeviceRoot device;
};

Ref<NSObject> yes() { return NSNumber::numberWithBool(true); }
Ref<NSObject> no() { return NSNumber::numberWithBool(false); }
Ref<NSObject> number(long long v) { return NSNumber::numberWithInteger(v); }

}  // namespace

TEST_F(Hooks, WithoutAPreferenceFileTheDialerGetsTheDefaultLook) {
    const std::string r = report();
    EXPECT_NE(r.find("\"loaded\":[\"Corvane.dylib\"]"), std::string::npos) << r;
    EXPECT_EQ(received(r, "_setApplicationIsOpaque:"), "[true]");
    EXPECT_EQ(received(r, "_setBackgroundStyle:"), "[1]");
    EXPECT_EQ(received(r, "setFillColor:"), "[[0.9372549019607843,0.9372549019607843,0.9372549019607843,0]]");
    EXPECT_EQ(received(r, "initWithRequest:backgroundColor:foregroundColor:"), "[null,[0,0,0,0],[0,0,0,1]]");
    EXPECT_EQ(received(r, "lcdColor"), "null") << "the clear colour comes without asking the view";
    EXPECT_EQ(messageField(r, "lcdColor", "returned"), "[0,0,0,0]");
    EXPECT_EQ(messageField(r, "dialerColor", "returned"), "[0,0,0,0]");
    EXPECT_EQ(received(r, "setBackgroundColor:"), std::string("[") + kGreen + "]");
    EXPECT_EQ(received(r, "_setContentTintColor:forState:"), "[[0,0.478431,1,1],4]");
    EXPECT_EQ(messageField(r, "showsPhoneVoicemail", "returned"), "true");
    EXPECT_EQ(messageField(r, "foregroundStyle", "returned"), "\"UIStatusBarForegroundStyleAttributes\"");
}

TEST_F(Hooks, EveryBooleanKeyTurnsItsHookAroundInEitherEncoding) {
    for (auto format : {plist::Format::Binary, plist::Format::XML}) {
        prefs({{"Blur", yes()}, {"ButtonColor", yes()}, {"kStatus", yes()}, {"kLCD", yes()}, {"tab", yes()},
               {"kVoice", number(2)}},
              format);
        const std::string r = report();
        EXPECT_EQ(received(r, "_setApplicationIsOpaque:"), "[false]");
        EXPECT_EQ(received(r, "_setBackgroundStyle:"), "[2]");
        EXPECT_EQ(received(r, "setFillColor:"), "[[1,1,1,0.25]]");
        EXPECT_EQ(received(r, "foregroundStyle"), "null") << "hidden status bar never asks the original";
        EXPECT_EQ(messageField(r, "foregroundStyle", "returned"), "null");
        EXPECT_EQ(messageField(r, "lcdColor", "returned"), "[1,1,1,1]");
        EXPECT_EQ(messageField(r, "dialerColor", "returned"), "[1,1,1,1]");
        EXPECT_EQ(received(r, "_setContentTintColor:forState:"), "[[0,0,0,1],4]");
        EXPECT_EQ(received(r, "showsPhoneVoicemail"), "null");
        EXPECT_EQ(messageField(r, "showsPhoneVoicemail", "returned"), "false");
    }
}

TEST_F(Hooks, StatusBarColoursComeFromTheirTables) {
    prefs({{"fgc", number(4)}, {"bgc", number(4)}});
    EXPECT_EQ(received(report(), "initWithRequest:backgroundColor:foregroundColor:"), "[null,[0,0,0,0],[0,1,1,1]]")
        << "4 is clear in the background table and cyan in the text table";
    prefs({{"fgc", number(15)}, {"bgc", number(15)}});
    EXPECT_EQ(received(report(), "initWithRequest:backgroundColor:foregroundColor:"), "[null,[1,1,0,1],null]")
        << "15 is outside the text table: a fresh process has no text colour";
}

TEST_F(Hooks, RememberedColoursCarryOverWithinOneProcess) {
    testing_support::PhoneSession phone(device.path());
    prefs({{"fgc", number(2)}});
    EXPECT_EQ(received(phone.report(), "initWithRequest:backgroundColor:foregroundColor:"), "[null,[0,0,0,0],[0,0,1,1]]");
    prefs({{"fgc", number(15)}});
    EXPECT_EQ(received(phone.report(), "initWithRequest:backgroundColor:foregroundColor:"), "[null,[0,0,0,0],[0,0,1,1]]")
        << "an index outside the table keeps blue";
    prefs({{"bgc", number(12)}});
    EXPECT_EQ(received(phone.report(), "initWithRequest:backgroundColor:foregroundColor:"),
              "[null,[0.5,0,0.5,1],[0,0,1,1]]")
        << "a removed key keeps its remembered value";
    device.removePreferences();
    EXPECT_EQ(received(phone.report(), "initWithRequest:backgroundColor:foregroundColor:"),
              "[null,[0.5,0,0.5,1],[0,0,1,1]]");
    EXPECT_EQ(phone.quit(), 0);
}

TEST_F(Hooks, ABooleanChangedBetweenTwoDialersOfOneProcessReachesTheSecond) {
    testing_support::PhoneSession phone(device.path());
    prefs({{"kVoice", no()}, {"Blur", yes()}});
    std::string r = phone.report();
    EXPECT_EQ(messageField(r, "showsPhoneVoicemail", "returned"), "true");
    EXPECT_EQ(received(r, "_setApplicationIsOpaque:"), "[false]");
    prefs({{"kVoice", yes()}, {"Blur", no()}});
    r = phone.report();
    EXPECT_EQ(messageField(r, "showsPhoneVoicemail", "returned"), "false") << "read again, not remembered";
    EXPECT_EQ(received(r, "_setApplicationIsOpaque:"), "[true]");
    EXPECT_EQ(phone.quit(), 0);
}

TEST_F(Hooks, CallButtonColourFollowsTheIndexEvenWhileDisabled) {
    testing_support::PhoneSession phone(device.path());
    prefs({{"enabled", no()}, {"call", number(13)}});
    EXPECT_EQ(received(phone.report(), "setBackgroundColor:"), std::string("[") + kStockGreen + "]");
    prefs({{"enabled", yes()}});
    EXPECT_EQ(received(phone.report(), "setBackgroundColor:"), "[[1,0,0,1]]")
        << "turning custom colours on paints the red remembered while they were off";
    prefs({{"enabled", yes()}, {"call", number(4)}});
    EXPECT_EQ(received(phone.report(), "setBackgroundColor:"), "[[0,0,0,0]]");
}

TEST_F(Hooks, AnEnabledCallColourWithNoValidIndexPassesNil) {
    prefs({{"enabled", yes()}, {"call", number(0)}});
    EXPECT_EQ(received(report(), "setBackgroundColor:"), "[null]");
}

TEST_F(Hooks, AFreshProcessStartsAgainFromTheStartingValues) {
    prefs({{"enabled", no()}, {"call", number(13)}, {"bgc", number(1)}, {"fgc", number(14)}});
    EXPECT_EQ(received(report(), "initWithRequest:backgroundColor:foregroundColor:"), "[null,[0,0,0,1],[1,1,0,1]]");
    device.removePreferences();
    const std::string r = report();
    EXPECT_EQ(received(r, "setBackgroundColor:"), std::string("[") + kGreen + "]") << "enabled true, index 8";
    EXPECT_EQ(received(r, "initWithRequest:backgroundColor:foregroundColor:"), "[null,[0,0,0,0],[0,0,0,1]]")
        << "background 4, text 1";
}

TEST_F(Hooks, WithoutTheLibraryEveryMessageArrivesAsSent) {
    DeviceRoot stock;
    auto result = testing_support::run({testing_support::Built::mobilePhone(), "--root", stock.path(), "--report"});
    ASSERT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("\"loaded\":[]"), std::string::npos);
    for (const char* selector : {"_setApplicationIsOpaque:", "_setBackgroundStyle:", "setFillColor:",
                                 "setBackgroundColor:", "_setContentTintColor:forState:"})
        EXPECT_EQ(messageField(result.out, selector, "sent"), messageField(result.out, selector, "received")) << selector;
}
