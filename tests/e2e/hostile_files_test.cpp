// Preference files made by hand to hurt: the Phone app and the Settings app must still come up at
// once, read the file the same way in both of the hook library's readings, and fall back to the
// defaults when the file is unreadable.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../plist/BinaryBuilder.h"
#include "Foundation/NSDictionary.h"
#include "ReportFields.h"
#include "SettingsApp.h"

using testing_support::Built;

namespace {

constexpr const char* kPrefs = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";

std::string dataFile(const std::string& name, const std::string& folder = CORVANE_TEST_PLISTS) {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string xmlDictionary(const std::string& entries) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + entries + "</dict></plist>\n";
}

std::string deepXML(size_t levels) {
    std::string arrays;
    for (size_t i = 0; i < levels; ++i) arrays += "<array>";
    for (size_t i = 0; i < levels; ++i) arrays += "</array>";
    return xmlDictionary("<key>kVoice</key><true/><key>deep</key>" + arrays);
}

// {"kVoice": true, "deep": `levels` nested arrays}, or with the last array holding the first.
std::string binaryWithArrays(size_t levels, bool cyclic) {
    BinaryBuilder b(4);
    const size_t top = b.add(""), voice = b.add(b.ascii("kVoice")), yes = b.add("\x09"), deep = b.add(b.ascii("deep"));
    const size_t first = top + 4;
    for (size_t i = 0; i + 1 < levels; ++i) b.add(b.array({first + i + 1}));
    b.add(cyclic ? b.array({first}) : b.array({}));
    b.set(top, b.dict({voice, deep}, {yes, first}));
    return b.bytes(top);
}

// What the hooks and the settings page should make of a file.
struct Case {
    std::string name;
    std::string bytes;
    bool voicemailHidden;      // GetPrefBool("kVoice")
    std::string callColour;    // the call button's colour: remembered "enabled" (true) and "call" (8, green)
    std::string callRowTitle;  // what the settings page shows for "call"
};

constexpr const char* kGreen = "[[0,1,0,1]]";
// The call button's own colour, which passes while custom colours are off.
constexpr const char* kOwnColour = "[[0.2980392156862745,0.8509803921568627,0.39215686274509803,1]]";

std::vector<Case> cases() {
    std::string bigger = xmlDictionary("<key>kVoice</key><true/><key>pad</key><string>" + std::string(1 << 20, 'x') + "</string>");
    std::string truncated = dataFile("duplicate-keys.bplist");
    truncated.resize(truncated.size() - 5);
    return {
        {"40,000 nested XML arrays", deepXML(40000), false, kGreen, "Clear"},
        {"35,000 nested binary arrays", binaryWithArrays(35000, false), false, kGreen, "Clear"},
        {"a binary cycle", binaryWithArrays(3, true), false, kGreen, "Clear"},
        // The flipped key becomes a 13-unit UTF-16 key of other characters: the file still reads,
        // without "kVoice", and with "enabled" off and "call" red.
        {"a key's marker flipped", dataFile("flipped-key-marker.bplist"), false, kOwnColour, "Red"},
        {"UTF-16 holding U+0000", dataFile("utf16-nul.bplist"), false, kGreen, "Clear"},
        {"a shared-reference bomb (valid)", dataFile("reference-bomb.bplist"), true, kGreen, "Clear"},
        {"a UID among good values", dataFile("uid.bplist"), false, kGreen, "Clear"},
        {"keys given twice", dataFile("duplicate-keys.bplist"), true, "[[0,0,1,1]]", "Blue"},
        {"integers with leading zeros", dataFile("leading-zeros.xml"), false, "[[1,0,1,1]]", "Magenta"},
        {"a string that is not UTF-8", dataFile("invalid-utf8.xml"), false, kGreen, "Clear"},
        {"a valid file over the size limit", bigger, false, kGreen, "Clear"},
        {"a truncated binary file", truncated, false, kGreen, "Clear"},
    };
}

// Runs both apps on the device as it is and checks what they show.
void expectBothApps(const SettingsDevice& device, const Case& c) {
    auto phone = testing_support::run({Built::mobilePhone(), "--root", device.root().path(), "--report"});
    EXPECT_EQ(phone.status, 0) << c.name << phone.err;
    EXPECT_EQ(testing_support::messageField(phone.out, "showsPhoneVoicemail", "returned"), c.voicemailHidden ? "false" : "true")
        << c.name;
    EXPECT_EQ(testing_support::messageField(phone.out, "setBackgroundColor:", "received"), c.callColour) << c.name;

    auto settings = device.run("open Corvane; tap Settings; show");
    EXPECT_EQ(settings.status, 0) << c.name << settings.err;
    const auto screens = screensOf(settings.out);
    ASSERT_FALSE(screens.empty()) << c.name;
    EXPECT_NE(rowLabelled(screens.back(), "Hide Voicemail Tab").find(c.voicemailHidden ? "\"value\":true" : "\"value\":false"),
              std::string::npos)
        << c.name;
    EXPECT_NE(rowLabelled(screens.back(), "Background Colour", 1).find("\"value\":\"" + c.callRowTitle + "\""), std::string::npos)
        << c.name;
}

}  // namespace

TEST(HostileFiles, BothAppsComeUpWithTheDefaultsOrWhatTheFileMeans) {
    SettingsDevice device;
    for (const Case& c : cases()) {
        device.root().writeFile(kPrefs, c.bytes);
        expectBothApps(device, c);
    }
}

TEST(HostileFiles, AFifoAtThePreferencePathIsNotWaitedOn) {
    SettingsDevice device;
    device.root().writeFile(kPrefs, "");
    const std::string path = device.root() / kPrefs;
    ::unlink(path.c_str());
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    expectBothApps(device, {"a FIFO", "", false, kGreen, "Clear"});
}

// Files other tools write, valid to Apple's readers (integers past 2^63, UTF-16, far dates, loose
// base64, a negative zero): both apps read the product's keys from each, and a change the pane
// stores keeps every other value and moves nothing aside.
TEST(HostileFiles, FilesOtherToolsWriteAreReadAndKeptWhole) {
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CORVANE_OUTSIDE_PLISTS)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".md") continue;
        ++files;
        SettingsDevice device;
        const std::string bytes = dataFile(name, CORVANE_OUTSIDE_PLISTS);
        device.root().writeFile(kPrefs, bytes);
        expectBothApps(device, {name, bytes, true, "[[1,0,0,1]]", "Red"});

        const auto stored = device.run("open Corvane; tap Settings; set Background on");
        EXPECT_EQ(stored.status, 0) << name << stored.err;
        EXPECT_FALSE(device.root().exists(std::string(kPrefs) + ".corrupt")) << name;
        Ref<NSObject> before = plist::parse(bytes), after = plist::parse(device.root().readFile(kPrefs));
        auto* was = objc_cast<NSDictionary>(before.get());
        auto* now = objc_cast<NSDictionary>(after.get());
        ASSERT_TRUE(was && now) << name;
        EXPECT_EQ(now->count(), was->count() + 1) << name;
        for (const auto& [key, value] : *was) EXPECT_TRUE(plist::sameValue(now->objectForKey(key), value)) << name << " " << key;
    }
    EXPECT_GE(files, 10u);
}
