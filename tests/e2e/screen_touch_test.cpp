// A finger on the Settings screen: a point of the whole-page picture does what a tap there does.

#include <gtest/gtest.h>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "ReportFields.h"
#include "SettingsApp.h"

using testing_support::jsonField;

namespace {

// Places on the settings page, in points: its first switch ("Background") and, below the
// screen's 568 points, the switch of its last row ("Hide Voicemail Tab").
constexpr const char* kOnFirstSwitch = "280 216";
constexpr const char* kOnFirstRowLabel = "60 216";
constexpr const char* kOnLastSwitch = "280 777";
constexpr const char* kOnBackButton = "30 42";
constexpr const char* kOnHeader = "160 150";

std::string settingsPage(const std::string& then) { return "open Corvane; tap Settings; " + then; }

size_t count(const std::vector<std::string>& lines, const std::string& part) {
    size_t n = 0;
    for (const auto& line : lines) n += line.find(part) != std::string::npos;
    return n;
}

}  // namespace

TEST(ScreenTouch, ASwitchFlipsWhereItIsDrawnEvenBelowTheScreen) {
    SettingsDevice device;
    auto result = device.run(settingsPage(std::string("touch ") + kOnFirstSwitch + "; touch " + kOnLastSwitch + "; show"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto events = eventsOf(result.out);
    EXPECT_EQ(count(events, R"("key":"kLCD","value":true)"), 1u) << result.out;
    EXPECT_EQ(count(events, R"("key":"kVoice","value":true)"), 1u) << result.out;
    EXPECT_EQ(count(events, R"({"kind":"switch","label":"Hide Voicemail Tab","action":"tapRow")"), 1u) << result.out;
    const auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(jsonField(rowLabelled(screens[0], "Hide Voicemail Tab"), "value"), "true");
}

TEST(ScreenTouch, APointOnNothingDoesNothingAndSaysSo) {
    SettingsDevice device;
    // The header, and the label of a switch row: only the switch itself answers there.
    auto result = device.run(settingsPage(std::string("touch ") + kOnHeader + "; touch " + kOnFirstRowLabel + "; show"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto events = eventsOf(result.out);
    EXPECT_EQ(count(events, R"({"event":"touched","x":160,"y":150,"target":null})"), 1u) << result.out;
    EXPECT_EQ(count(events, R"("kind":"row","label":"Background","action":"none")"), 1u) << result.out;
    EXPECT_EQ(count(events, R"("event":"stored")"), 0u);
    EXPECT_EQ(jsonField(rowLabelled(screensOf(result.out).at(0), "Background"), "value"), "false");
}

TEST(ScreenTouch, RowsBackButtonAndHeartDoWhatTheirCommandsDo) {
    SettingsDevice device;
    // The back button; the heart, then the sheet's Cancel; the root page's Settings row.
    auto result = device.run(settingsPage(std::string("touch ") + kOnBackButton +
                                          "; show; touch 310 42; show; touch 40 96; touch 160 216; show"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 3u);
    EXPECT_EQ(jsonField(screens[0], "class"), "\"CorvaneListController\"");
    EXPECT_NE(screens[1].find("SLComposeViewController"), std::string::npos) << screens[1];
    EXPECT_EQ(jsonField(screens[2], "class"), "\"CVSettingsListController\"");
    EXPECT_NE(screens[2].find("\"presented\":null"), std::string::npos);
}

TEST(ScreenTouch, SheetsAnswerOnlyOnTheirButtons) {
    SettingsDevice device;
    auto accounts = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"Accounts", NSArray::arrayWithObjects({NSString::string("someone@example.com")})}});
    device.root().writeFile("/var/mobile/Library/Mail/Accounts.plist", *plist::serialize(accounts, plist::Format::XML));
    // Share sheet: the back button under it does not answer; Post closes it. Composer: Send.
    auto result = device.run("open Corvane; heart; touch " + std::string(kOnBackButton) +
                             "; touch 290 96; show; tap Support; touch 290 42; show");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto events = eventsOf(result.out);
    EXPECT_EQ(count(events, R"({"event":"touched","x":30,"y":42,"target":null})"), 1u) << result.out;
    EXPECT_EQ(count(events, R"("label":"Post","action":"closeSheet")"), 1u) << result.out;
    EXPECT_EQ(count(events, R"("label":"Send","action":"sendMail")"), 1u) << result.out;
    EXPECT_EQ(count(events, R"("event":"dismissed")"), 2u) << result.out;
    for (const auto& screen : screensOf(result.out)) {
        EXPECT_EQ(jsonField(screen, "class"), "\"CorvaneListController\"");
        EXPECT_NE(screen.find("\"presented\":null"), std::string::npos) << screen;
    }
}

TEST(ScreenTouch, APointMustBeTwoNumbersOnTheScreen) {
    SettingsDevice device;
    auto result = device.run("touch 10; touch 10 20 30; touch ten 20; touch -5 -5; touch 320 10; touch 10 20");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(count(linesOf(result.err), "is not a point"), 3u) << result.err;
    EXPECT_EQ(count(linesOf(result.err), "is off the screen, which is 320 x 568 points"), 2u) << result.err;
    EXPECT_EQ(count(eventsOf(result.out), R"("event":"touched")"), 1u) << result.out;
}
