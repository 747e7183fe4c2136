// Scripting the Settings app: naming rows, setting switches, reading the screen, and what a
// session does when the store refuses a value.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "SettingsApp.h"

using nlohmann::json;

namespace {

// The rows of the session's only "show" line.
json shownRows(const testing_support::ProcessResult& result) {
    const auto screens = screensOf(result.out);
    if (screens.size() != 1) {
        ADD_FAILURE() << "expected one screen in\n" << result.out;
        return json::array();
    }
    return json::parse(screens[0])["page"]["rows"];
}

std::vector<json> parsedEvents(const testing_support::ProcessResult& result) {
    std::vector<json> events;
    for (const auto& line : eventsOf(result.out)) events.push_back(json::parse(line));
    return events;
}

}  // namespace

TEST(SettingsCommands, ATitleTwoRowsShareIsRefusedUntilItsGroupOrNumberNamesOne) {
    SettingsDevice device;
    auto ambiguous = device.run("open Corvane; tap Settings; tap Background Colour; show");
    EXPECT_EQ(ambiguous.status, 1);
    EXPECT_NE(ambiguous.err.find("'Background Colour' names 2 rows: #7 'Status Bar/Background Colour', "
                                 "#10 'Call Button/Background Colour'"),
              std::string::npos)
        << ambiguous.err;
    EXPECT_EQ(json::parse(screensOf(ambiguous.out).at(0))["page"]["class"], "CVSettingsListController")
        << "nothing was opened";

    auto named = device.run("open Corvane; tap Settings; tap Call Button/Background Colour; tap Red; back; "
                            "tap Status Bar/Background Colour; tap Blue; back; tap #7; show");
    ASSERT_EQ(named.status, 0) << named.err;
    std::vector<std::pair<std::string, int>> stored;
    for (const auto& event : parsedEvents(named))
        if (event["event"] == "stored") stored.emplace_back(event["key"], event["value"]);
    EXPECT_EQ(stored, (std::vector<std::pair<std::string, int>>{{"call", 13}, {"bgc", 2}}));
    const json rows = shownRows(named);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[2]["texts"], json::array({"Blue"})) << "#7 opened the status bar's list, Blue checked";
    EXPECT_EQ(rows[2]["value"], true);
}

TEST(SettingsCommands, PersonRowsAreNamedByThePersonTheyShow) {
    SettingsDevice device;
    auto result = device.run("open Corvane; tap Credits; tap Pelorwin; tap Brannoc Vesk; show");
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> opened;
    for (const auto& event : parsedEvents(result))
        if (event["event"] == "openURL") opened.push_back(event["url"]);
    ASSERT_EQ(opened.size(), 2u) << result.out;
    EXPECT_NE(opened[0].find("Pelo"), std::string::npos) << opened[0];
    EXPECT_NE(opened[1].find("BrannocVesk5"), std::string::npos) << opened[1];
    const json rows = shownRows(result);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[3]["row"], 3);
    EXPECT_EQ(rows[3]["texts"], json::array({"Quillex", "Co-Developer"}));
}

TEST(SettingsCommands, SetGivesASwitchAKnownStateAndDoesNothingWhenItHasIt) {
    SettingsDevice device;
    auto result = device.run("open Corvane; tap Settings; set Blur Background on; set Blur Background on; "
                             "set #2 off; set Blur Background off; set Text Colour on; set Blur Background maybe; show");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("'Text Colour' is not a switch"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("'set' needs a row and on or off"), std::string::npos) << result.err;
    std::vector<json> stored;
    for (const auto& event : parsedEvents(result))
        if (event["event"] == "stored") stored.push_back(event["value"]);
    EXPECT_EQ(stored, (std::vector<json>{true, false})) << "each change stored once, repeats stored nothing";
    const json rows = shownRows(result);
    ASSERT_GT(rows.size(), 2u);
    EXPECT_EQ(rows[2]["label"], "Blur Background");
    EXPECT_EQ(rows[2]["value"], false);
}

TEST(SettingsCommands, ShowNumbersEveryRowAndGivesItsTexts) {
    SettingsDevice device;
    auto result = device.run("open Corvane; tap Settings; show");
    ASSERT_EQ(result.status, 0) << result.err;
    const json rows = shownRows(result);
    ASSERT_EQ(rows.size(), 14u);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]["row"], i);
    EXPECT_EQ(rows[10]["texts"], json::array({"Background Colour", "Clear"}));
    EXPECT_EQ(rows[13]["texts"], json::array({"Hide Voicemail Tab"}));
    EXPECT_FALSE(rows[8].contains("texts")) << "a group shows a header, not a cell";
}

TEST(SettingsCommands, TheUsageListsEveryCommand) {
    auto help = testing_support::run({settingsApp(), "--help"});
    ASSERT_EQ(help.status, 0);
    for (const char* command : {"open LABEL", "tap ROW", "set ROW on|off", "back", "heart", "mail sent|saved",
                                "show", "render FILE.png"})
        EXPECT_NE(help.out.find("\n  " + std::string(command)), std::string::npos) << command << "\n" << help.out;
}

TEST(SettingsCommands, AValueTheStoreRefusesIsReportedLeavesTheSwitchAsStoredAndFailsTheSession) {
    SettingsDevice device;
    // Where the preference folder should be, a file: no one, not even root, can store there.
    device.root().writeFile("/var/mobile/Library/Preferences", "in the way");
    auto result = device.run("open Corvane; tap Settings; tap Hide Voicemail Tab; set Background on; show");
    EXPECT_EQ(result.status, 1);
    const auto events = parsedEvents(result);
    ASSERT_EQ(events.size(), 2u) << result.out;
    for (const auto& event : events) {
        EXPECT_EQ(event["event"], "refused");
        EXPECT_EQ(event["value"], true);
        EXPECT_NE(event["reason"].get<std::string>().find("/var/mobile/Library/Preferences"), std::string::npos) << event;
    }
    EXPECT_EQ(events[0]["key"], "kVoice");
    EXPECT_EQ(events[1]["key"], "kLCD");
    EXPECT_NE(result.err.find("tap Hide Voicemail Tab: the store refused the value"), std::string::npos) << result.err;
    const json rows = shownRows(result);
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(rows[13]["value"], false) << "the switch shows what is stored";
    EXPECT_EQ(rows[1]["value"], false);
}

// A picture goes over a picture or nowhere: the preference file, or a directory, is left as it was.
TEST(SettingsCommands, RenderReplacesOnlyAPicture) {
    SettingsDevice device;
    const std::string prefs = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";
    device.root().writeFile(prefs, "<plist><dict/></plist>");
    const std::string picture = device.root() / "/picture.png";
    auto result = device.run("render " + device.root() / prefs + "; render " + device.root().path() + "; render " +
                             picture + "; render " + picture);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("exists and is not a PNG picture; not replaced"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("is a directory"), std::string::npos) << result.err;
    EXPECT_TRUE(device.root().readFile(prefs) == "<plist><dict/></plist>") << "the preference file was replaced";
    EXPECT_EQ(device.root().readFile("/picture.png").rfind("\x89PNG", 0), 0u);
}
