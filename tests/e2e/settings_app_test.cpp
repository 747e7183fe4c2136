// The Settings app with the real preference bundle, as separate processes on scratch device roots.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "ReportFields.h"
#include "SettingsApp.h"

using testing_support::Built;
using testing_support::DeviceRoot;
using testing_support::jsonField;
using testing_support::messageField;

namespace {

constexpr const char* kPosted = R"({"event":"posted","name":"com.qelmor.corvane/KillPhone"})";

std::string stored(const std::string& key, const std::string& value) {
    return R"({"event":"stored","domain":"com.qelmor.corvane","key":")" + key + R"(","value":)" + value + "}";
}

std::string restarted(int status) {
    return R"({"event":"system","command":"killall -9 MobilePhone","status":)" + std::to_string(status) + "}";
}

}  // namespace

TEST(SettingsApp, RefusesBadCommandLinesWithUsage) {
    DeviceRoot device;
    const std::string app = settingsApp();
    for (const auto& argv : std::vector<std::vector<std::string>>{{app},
                                                                  {app, "--root"},
                                                                  {app, "--root", device.path() + "/missing"},
                                                                  {app, "--root", device.path(), "--bogus"},
                                                                  {app, "--root", device.path(), "-c"}}) {
        auto result = testing_support::run(argv);
        EXPECT_EQ(result.status, 2) << argv.size();
        EXPECT_NE(result.err.find("usage: Preferences"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(SettingsApp, FailedCommandsAreNamedAndTheSessionGoesOn) {
    SettingsDevice device;
    auto result = device.run("back; dance; tap Nowhere; open Nothing; open corvan; show; mail sent; heart");
    EXPECT_EQ(result.status, 1);
    // What exists is said, and a near miss gets the name it missed.
    for (const char* problem : {"back: already on the Settings list", "unknown command 'dance'",
                                "no row titled 'Nowhere' on this page; rows: Corvane\n",
                                "no entry 'Nothing' in Settings; entries: Corvane\n",
                                "no entry 'corvan' in Settings (did you mean 'Corvane'?); entries: Corvane\n",
                                "no mail composer", "no heart button"})
        EXPECT_NE(result.err.find(problem), std::string::npos) << problem << "\n" << result.err;
    auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 1u) << "the show after the failures still ran";
    EXPECT_EQ(jsonField(screens[0], "class"), "\"PSRootListController\"");
    EXPECT_NE(rowLabelled(screens[0], "Corvane"), "");

    auto fine = device.run("show");
    EXPECT_EQ(fine.status, 0) << fine.err;
}

TEST(SettingsApp, MistypedCommandsOnAPaneChangeNothing) {
    SettingsDevice device;
    auto result = device.run("open Corvane; tap Settings; tap Status Bar; tap #99; tap; mail later; show me; "
                             "open Corvane; tap #0; show");
    EXPECT_EQ(result.status, 1);
    for (const char* problem : {"'Status Bar' is a group title", "no row #99", "'tap' needs an argument",
                                "unknown mail result 'later'", "'show' takes no argument",
                                "'open' works on the Settings list only", "row #0 does nothing"})
        EXPECT_NE(result.err.find(problem), std::string::npos) << problem << "\n" << result.err;
    EXPECT_TRUE(eventsOf(result.out).empty()) << result.out;
    auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(jsonField(screens[0], "class"), "\"CVSettingsListController\"");
}

TEST(SettingsApp, CommandsMayComeFromStandardInput) {
    SettingsDevice device;
    auto result = testing_support::run({settingsApp(), "--root", device.root().path()}, "open Corvane\n\nshow\n");
    EXPECT_EQ(result.status, 0) << result.err;
    auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(jsonField(screens[0], "class"), "\"CorvaneListController\"");
    EXPECT_EQ(jsonField(screens[0], "rightItems"), R"(["fixedSpace","heart"])");
}

TEST(SettingsApp, AnEmptyPreferenceFileShowsSwitchesOffAndTheDeclaredColours) {
    SettingsDevice device;
    device.root().writePreferences(make<NSDictionary>());
    auto result = device.run("open Corvane; tap Settings; show");
    ASSERT_EQ(result.status, 0) << result.err;
    auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 1u);
    const std::string& screen = screens[0];
    EXPECT_EQ(jsonField(screen, "class"), "\"CVSettingsListController\"");
    for (const char* label : {"Background", "Blur Background", "Button Background", "Hide Status Bar", "Custom Colour",
                              "Black Tab Buttons", "Hide Voicemail Tab"})
        EXPECT_EQ(jsonField(rowLabelled(screen, label), "value"), "false") << label;
    EXPECT_EQ(jsonField(rowLabelled(screen, "Text Colour"), "value"), "\"Black\"");
    EXPECT_EQ(jsonField(rowLabelled(screen, "Background Colour", 0), "value"), "\"Clear\"");
    EXPECT_EQ(jsonField(rowLabelled(screen, "Background Colour", 1), "value"), "\"Clear\"");
}

TEST(SettingsApp, PickingCyanStoresTheIndexOfEachTable) {
    SettingsDevice device;
    auto result = device.run("open Corvane; tap Settings; tap Text Colour; tap Cyan; back; tap #7; tap Cyan; back; "
                             "tap #10; tap Cyan; tap Cyan; show");
    ASSERT_EQ(result.status, 0) << result.err;
    auto events = eventsOf(result.out);
    const std::vector<std::string> expected = {stored("fgc", "4"), kPosted, restarted(1), stored("bgc", "5"), kPosted,
                                               restarted(1), stored("call", "5"), kPosted, restarted(1)};
    EXPECT_EQ(events, expected) << "picking the checked choice again stores nothing and restarts nothing";
    auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(jsonField(screens[0], "class"), "\"TXListItemsController\"");
    EXPECT_EQ(jsonField(screens[0], "title"), "\"Background Colour\"") << "named after the row that opened it";
    EXPECT_EQ(jsonField(rowLabelled(screens[0], "Cyan"), "value"), "true") << "checked";
    EXPECT_EQ(jsonField(rowLabelled(screens[0], "Clear"), "value"), "false");
}

TEST(SettingsApp, AfterAChoiceListAFlippedSwitchStillPostsAndRunsTheDevicesKillall) {
    SettingsDevice device;
    auto result = device.run("open Corvane; tap Settings; tap Status Bar/Background Colour; back; tap Hide Voicemail Tab; "
                             "back; tap Settings; tap Hide Voicemail Tab");
    ASSERT_EQ(result.status, 0) << result.err;
    // No Phone process runs: the device's killall finds none and says so.
    const std::vector<std::string> expected = {stored("kVoice", "true"), kPosted, restarted(1),
                                               stored("kVoice", "false"), kPosted, restarted(1)};
    EXPECT_EQ(eventsOf(result.out), expected);
    EXPECT_NE(result.err.find("No matching processes"), std::string::npos) << result.err;
}

TEST(SettingsApp, TheHookLibraryReadsWhatThePaneStored) {
    SettingsDevice device;
    auto result = device.run("open Corvane; tap Settings; tap Hide Voicemail Tab; tap Background; tap Custom Colour; "
                             "tap #10; tap Red; back; tap Text Colour; tap Cyan");
    ASSERT_EQ(result.status, 0) << result.err;
    auto phone = testing_support::run({Built::mobilePhone(), "--root", device.root().path(), "--report"});
    ASSERT_EQ(phone.status, 0) << phone.err;
    const std::string& report = phone.out;
    EXPECT_EQ(messageField(report, "showsPhoneVoicemail", "returned"), "false");
    EXPECT_EQ(messageField(report, "lcdColor", "received"), "[]") << "kept its own colour";
    EXPECT_EQ(messageField(report, "setBackgroundColor:", "received"), "[[1,0,0,1]]") << "red call button";
    EXPECT_EQ(messageField(report, "initWithRequest:backgroundColor:foregroundColor:", "received"),
              "[null,[0,0,0,0],[0,1,1,1]]")
        << "clear background, cyan text";
}

TEST(SettingsApp, AStoredChangeEndsAPhoneAppStartedByHand) {
    SettingsDevice device;
    const std::string root = device.root().path();
    const pid_t phone = ::fork();
    if (phone == 0) {
        // Started by hand, by someone who never heard of SIMULATOR_ROOT: --root alone must make it
        // a process of the device.
        ::unsetenv("SIMULATOR_ROOT");
        const std::string program = Built::mobilePhone();
        ::execl(program.c_str(), program.c_str(), "--root", root.c_str(), "--serve", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    for (int i = 0; i < 1000 && !device.root().exists("/var/mobile/Library/MobilePhone/report.json"); ++i) ::usleep(5000);
    ASSERT_TRUE(device.root().exists("/var/mobile/Library/MobilePhone/report.json"));

    auto result = device.run("open Corvane; tap Settings; tap Blur Background");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(eventsOf(result.out).back(), restarted(0));
    int status = 0;
    for (int i = 0; i < 1000 && ::waitpid(phone, &status, WNOHANG) == 0; ++i) ::usleep(5000);
    if (::kill(phone, 0) == 0) {
        ::kill(phone, SIGKILL);
        ::waitpid(phone, &status, 0);
        FAIL() << "the Phone app outlived the change";
    }
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
}

TEST(SettingsApp, SupportMailAndShareSheetArePresentedAndDismissed) {
    SettingsDevice device;
    auto accounts = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"Accounts", NSArray::arrayWithObjects({NSString::string("someone@example.com")})}});
    device.root().writeFile("/var/mobile/Library/Mail/Accounts.plist", *plist::serialize(accounts, plist::Format::XML));
    auto result = device.run("open Corvane; tap Support; show; tap Settings; back; mail cancelled; heart; show; back");
    EXPECT_EQ(result.status, 1) << "tap and back while the composer is open fail";
    EXPECT_NE(result.err.find("finish it with 'mail"), std::string::npos) << result.err;
    const std::vector<std::string> expected = {
        R"({"event":"presented","class":"MFMailComposeViewController"})",
        R"({"event":"dismissed","class":"MFMailComposeViewController"})",
        R"({"event":"presented","class":"SLComposeViewController"})",
        R"({"event":"dismissed","class":"SLComposeViewController"})"};
    EXPECT_EQ(eventsOf(result.out), expected);
    auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(jsonField(screens[0], "presented"),
              R"({"class":"MFMailComposeViewController","subject":"Corvane Support v1.4-3","body":"","isHTML":false,)"
              R"("recipients":["support@qelmor.com"]})");
    EXPECT_EQ(jsonField(screens[1], "presented"),
              R"({"class":"SLComposeViewController","initialText":"I'm using #Corvane by @BrannocVesk5!"})");
}

TEST(SettingsApp, SupportOnADeviceWithoutAMailAccountOpensNothingAndSaysWhichFileIsMissing) {
    SettingsDevice device;
    for (const char* accounts : {"", "<plist><dict><key>Accounts</key><array/></dict></plist>"}) {
        if (*accounts) device.root().writeFile("/var/mobile/Library/Mail/Accounts.plist", accounts);
        auto result = device.run("open Corvane; tap Support; show");
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(eventsOf(result.out),
                  std::vector<std::string>{R"({"event":"noMailAccount","accounts":"/var/mobile/Library/Mail/Accounts.plist"})"})
            << accounts;
        EXPECT_EQ(jsonField(screensOf(result.out).at(0), "presented"), "null") << result.out;
    }
}

TEST(SettingsApp, ThePaneSpeaksGermanWhenTheDeviceDoes) {
    SettingsDevice device;
    device.setLanguages({"de"});
    auto result = device.run("open Corvane; show; tap Einstellungen; show");
    ASSERT_EQ(result.status, 0) << result.err;
    auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_NE(rowLabelled(screens[0], "Mitwirkende"), "");
    EXPECT_NE(rowLabelled(screens[0], "Hilfe"), "");
    EXPECT_EQ(jsonField(jsonField(screens[0], "header"), "subtitle"), "\"Von Brannoc Vesk\"");
    EXPECT_EQ(jsonField(rowLabelled(screens[1], "Textfarbe"), "value"), "\"Schwarz\"");
    EXPECT_EQ(jsonField(rowLabelled(screens[1], "Hintergrundfarbe"), "value"), "\"Transparent\"");
}

TEST(SettingsApp, ABrokenEntryOrBundleIsReportedAndTheRestStillWorks) {
    SettingsDevice device;
    device.root().writeFile("/Library/PreferenceLoader/Preferences/Broken.plist", "not a property list");
    device.root().writeFile("/Library/PreferenceLoader/Preferences/Ghost.plist",
                            *plist::serialize(NSDictionary::dictionaryWithObjectsAndKeys(
                                                  {{"entry", NSDictionary::dictionaryWithObjectsAndKeys(
                                                                 {{"bundle", NSString::string("Ghost")},
                                                                  {"label", NSString::string("Ghost")}})}}),
                                              plist::Format::XML));
    auto result = device.run("open Ghost; open Corvane; show");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("skipping /Library/PreferenceLoader/Preferences/Broken.plist"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("no bundle at /Library/PreferenceBundles/Ghost.bundle"), std::string::npos) << result.err;
    auto screens = screensOf(result.out);
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(jsonField(screens[0], "class"), "\"CorvaneListController\"");
}
