// A finger on the Settings screen: a point of the whole-page picture does what a tap there does.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>

#include "CoreGraphics/CGImage.h"
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

// The "targets" lines of a session's output, as JSON.
std::vector<nlohmann::json> targetListsOf(const std::string& out) {
    std::vector<nlohmann::json> lists;
    for (const auto& line : linesOf(out))
        if (line.starts_with(R"({"width":)")) lists.push_back(nlohmann::json::parse(line).at("targets"));
    return lists;
}

TEST(ScreenTouch, EveryPlaceOfEveryPageAndSheetHasANameOfItsOwnThatCommandsTake) {
    SettingsDevice device;
    auto accounts = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"Accounts", NSArray::arrayWithObjects({NSString::string("someone@example.com")})}});
    device.root().writeFile("/var/mobile/Library/Mail/Accounts.plist", *plist::serialize(accounts, plist::Format::XML));
    auto result = device.run(
        "open Corvane; targets; heart; targets; touch 40 96; tap Support; targets; mail cancelled; tap Credits; targets; "
        "back; tap Settings; targets; tap Call Button/Background Colour; targets");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto lists = targetListsOf(result.out);
    ASSERT_EQ(lists.size(), 6u) << result.out;
    std::set<std::string> everyName;
    for (const auto& list : lists) {
        std::set<std::string> names;
        for (const auto& target : list) {
            const std::string name = target.at("label");
            EXPECT_FALSE(name.empty()) << list.dump();
            EXPECT_TRUE(names.insert(name).second) << "'" << name << "' names two places: " << list.dump();
            everyName.insert(name);
        }
    }
    // The row's own text; its group where a title repeats on the page; where a bar button goes.
    for (const char* name : {"Settings", "Back to Settings", "Share", "Cancel", "Post", "Send", "Brannoc Vesk",
                             "Pelorwin", "Quillex", "Back", "Status Bar/Background Colour",
                             "Call Button/Background Colour", "Hide Voicemail Tab", "Red"})
        EXPECT_EQ(everyName.count(name), 1u) << name << " is not among the places' names";

    // Each name of a settings-page row is what "tap" takes for that row.
    std::string taps = "open Corvane; tap Settings";
    for (const auto& target : lists[4])
        if (target.at("kind") == "row") taps += "; tap " + target.at("label").get<std::string>() + "; back";
    const auto tapped = device.run(taps);
    EXPECT_EQ(tapped.status, 0) << tapped.err;
}

// Every page and sheet of the pane, each reached from a fresh Settings app.
const std::vector<std::string> kEveryScreen = {"",
                                               "open Corvane",
                                               "open Corvane; heart",
                                               "open Corvane; tap Support",
                                               "open Corvane; tap Credits",
                                               "open Corvane; tap Settings",
                                               "open Corvane; tap Settings; tap Call Button/Background Colour"};

TEST(ScreenTouch, AFingerAtTheMiddleOfEachPlaceTouchesThatPlaceWhereThePictureShowsIt) {
    SettingsDevice device;
    auto accounts = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"Accounts", NSArray::arrayWithObjects({NSString::string("someone@example.com")})}});
    device.root().writeFile("/var/mobile/Library/Mail/Accounts.plist", *plist::serialize(accounts, plist::Format::XML));
    const std::string picture = device.root().path() + "/screen.png";
    size_t touched = 0;
    for (const std::string& screen : kEveryScreen) {
        const std::string reach = screen.empty() ? "" : screen + "; ";
        const auto listed = device.run(reach + "targets; render " + picture);
        ASSERT_EQ(listed.status, 0) << screen << ": " << listed.err;
        const auto lists = targetListsOf(listed.out);
        ASSERT_EQ(lists.size(), 1u) << screen;
        Ref<CGImage> image = CGImage::createFromPNG(picture);
        ASSERT_TRUE(image) << screen;
        for (const auto& target : lists[0]) {
            const double x = target.at("x").get<double>() + target.at("width").get<double>() / 2;
            const double y = target.at("y").get<double>() + target.at("height").get<double>() / 2;
            const auto result = device.run(reach + "touch " + std::to_string(x) + " " + std::to_string(y));
            const auto events = eventsOf(result.out);
            const std::string expected = R"({"kind":)" + target.at("kind").dump() + R"(,"label":)" + target.at("label").dump();
            EXPECT_EQ(count(events, expected), 1u) << screen << ": " << target.dump() << "\n" << result.out;
            EXPECT_EQ(count(events, R"("action":"none")"), 0u) << screen << ": " << target.dump();
            ++touched;
            // A row's cell is white in the picture across the whole rectangle the list gives it.
            if (target.at("kind") != "row") continue;
            for (double inside : {target.at("y").get<double>() + 1, y, target.at("y").get<double>() + target.at("height").get<double>() - 1.5})
                EXPECT_EQ(image->pixel(4, static_cast<int>(inside * 2)), (std::array<uint8_t, 4>{255, 255, 255, 255}))
                    << screen << ": " << target.dump() << " at y " << inside;
        }
    }
    EXPECT_GT(touched, 30u);
}

TEST(ScreenTouch, APointMustBeTwoNumbersOnTheScreen) {
    SettingsDevice device;
    auto result = device.run("touch 10; touch 10 20 30; touch ten 20; touch -5 -5; touch 320 10; touch 10 20");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(count(linesOf(result.err), "is not a point"), 3u) << result.err;
    EXPECT_EQ(count(linesOf(result.err), "is off the screen, which is 320 x 568 points"), 2u) << result.err;
    EXPECT_EQ(count(eventsOf(result.out), R"("event":"touched")"), 1u) << result.out;
}
