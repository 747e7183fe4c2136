#include <gtest/gtest.h>

#include "Foundation/NSNumber.h"
#include "PreferencePages.h"
#include "Preferences/PSSpecifier.h"


TEST(PSSpecifier, ChoiceValuesPairWithTitlesByPositionWhateverTheNumberKind) {
    auto s = PSSpecifier::preferenceSpecifierNamed(NSString::string("Text Colour"), nullptr, nullptr, nullptr,
                                                   nullptr, PSLinkListCell, nullptr);
    s->setValues(numbers({1, 2, 4}), strings({"Black", "Blue", "Cyan"}));
    ASSERT_NE(s->titleDictionary(), nullptr);
    EXPECT_EQ(s->values()->count(), 3u);
    EXPECT_EQ(s->titleForValue(NSNumber::numberWithInteger(4))->str(), "Cyan");
    EXPECT_EQ(s->titleForValue(NSNumber::numberWithDouble(2.0))->str(), "Blue");
    EXPECT_EQ(s->titleForValue(NSNumber::numberWithInteger(3)), nullptr);
    EXPECT_EQ(s->titleForValue(nullptr), nullptr);
}

TEST(PSSpecifier, OneChoiceArrayAloneClearsBoth) {
    auto s = PSSpecifier::emptyGroupSpecifier();
    s->setValues(numbers({1}), strings({"Black"}));
    s->setValues(numbers({1}), nullptr);
    EXPECT_EQ(s->values(), nullptr);
    EXPECT_EQ(s->titleDictionary(), nullptr);
}

TEST(PSSpecifier, UnevenChoiceArraysPairOnlyWhatBothHold) {
    auto s = PSSpecifier::emptyGroupSpecifier();
    s->setValues(numbers({1, 2, 3}), strings({"Black"}));
    EXPECT_EQ(s->titleDictionary()->count(), 1u);
    EXPECT_EQ(s->titleForValue(NSNumber::numberWithInteger(2)), nullptr);
}

TEST(PSSpecifier, PropertiesSetToNothingAreAbsent) {
    auto s = PSSpecifier::groupSpecifierWithName(NSString::string("Status Bar"));
    s->setProperty(NSString::string("Status Bar"), "id");
    EXPECT_EQ(s->identifier(), "Status Bar");
    s->setProperty(nullptr, "id");
    EXPECT_EQ(s->propertyForKey("id"), nullptr);
    EXPECT_EQ(s->identifier(), "");
    EXPECT_EQ(s->name()->str(), "Status Bar");
    EXPECT_EQ(PSSpecifier::emptyGroupSpecifier()->name(), nullptr);
}
