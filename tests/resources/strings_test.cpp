// The pane's strings tables: one per language, binary on the device, covering every text the pane
// shows, English reading exactly as the pane's own texts and German actually translated.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "StringsTables.h"

namespace {

const std::vector<std::string> kLanguages = {"en", "de"};

// Every text of the pane that goes through the bundle's strings table.
const std::vector<std::string> kPaneTexts = {
    // Settings page
    "Background", "Blur Background", "Button Background", "Status Bar", "Hide Status Bar", "Text Colour",
    "Background Colour", "Call Button", "Custom Colour", "Miscellaneous", "Black Tab Buttons", "Hide Voicemail Tab",
    // Colour choices
    "Black", "Blue", "Brown", "Clear", "Cyan", "Dark Gray", "Gray", "Green", "Light Gray", "Magenta", "Orange",
    "Purple", "Red", "White", "Yellow",
    // Root page and the page headers
    "Settings", "Credits", "Support", "By Brannoc Vesk",
    // The standard root page of the toolkit
    "ENABLED", "OPTIONS", "MAKERS", "SUPPORT",
    // Credits
    "The Developer", "Co-Developer"};

StringsTable staged(const std::string& language) {
    auto table = readStringsTable(stagedTablePath(language));
    EXPECT_TRUE(table) << language << ": not a dictionary of strings";
    return table.value_or(StringsTable{});
}

TEST(StringsTables, AreBinaryDictionariesOfStrings) {
    for (const std::string& language : kLanguages) {
        SCOPED_TRACE(language);
        std::ifstream in(stagedTablePath(language), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(bytes.substr(0, 8), "bplist00");
        EXPECT_FALSE(staged(language).empty());
    }
}

TEST(StringsTables, HoldWhatTheirSourcesSay) {
    for (const std::string& language : kLanguages) {
        SCOPED_TRACE(language);
        const auto source = readStringsTable(sourceTablePath(language));
        ASSERT_TRUE(source);
        // Compared whole, so a lost entry or a mangled non-ASCII letter ("Grün", "Weiß") shows.
        EXPECT_EQ(staged(language), *source);
    }
}

TEST(StringsTables, CoverEveryTextOfThePaneInEveryLanguage) {
    for (const std::string& language : kLanguages) {
        const StringsTable table = staged(language);
        for (const std::string& key : kPaneTexts) EXPECT_TRUE(table.count(key)) << language << " lacks \"" << key << "\"";
    }
}

TEST(StringsTables, LanguagesTranslateTheSameKeys) {
    StringsTable english = staged("en"), german = staged("de");
    std::vector<std::string> englishKeys, germanKeys;
    for (const auto& entry : english) englishKeys.push_back(entry.first);
    for (const auto& entry : german) germanKeys.push_back(entry.first);
    EXPECT_EQ(englishKeys, germanKeys);
}

TEST(StringsTables, EnglishReadsExactlyAsThePaneTexts) {
    for (const auto& [key, value] : staged("en")) EXPECT_EQ(value, key);
}

TEST(StringsTables, GermanIsTranslated) {
    const StringsTable german = staged("de");
    ASSERT_FALSE(german.empty());
    size_t unchanged = 0;
    for (const auto& [key, value] : german) {
        EXPECT_FALSE(value.empty()) << key;
        if (value == key) ++unchanged;
    }
    // A few colour names are the same word in German; anything more is a table left untranslated.
    EXPECT_LE(unchanged * 5, german.size()) << unchanged << " of " << german.size() << " entries unchanged";
    EXPECT_EQ(german.at("Settings"), "Einstellungen");
    EXPECT_EQ(german.at("Hide Voicemail Tab"), "Voicemail-Tab ausblenden");
}

TEST(StringsTables, NamesStayUntranslated) {
    for (const std::string& language : kLanguages) {
        const StringsTable table = staged(language);
        EXPECT_EQ(table.count("Corvane"), 0u) << language << ": the product name has no translation";
        ASSERT_TRUE(table.count("By Brannoc Vesk"));
        EXPECT_NE(table.at("By Brannoc Vesk").find("Brannoc Vesk"), std::string::npos) << language;
    }
}

}  // namespace
