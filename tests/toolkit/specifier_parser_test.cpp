#include <gtest/gtest.h>

#include "ForeignBundle.h"
#include "Foundation/NSNumber.h"
#include "toolkit/TXSpecifierParser.h"
#include "toolkit/TXTintedListController.h"

namespace {

using Entry = std::pair<std::string, Ref<NSObject>>;
Ref<NSDictionary> row(std::initializer_list<Entry> entries) { return NSDictionary::dictionaryWithObjectsAndKeys(entries); }
Ref<NSObject> str(const char* s) { return NSString::string(s); }
Ref<NSArray> list(std::initializer_list<Ref<NSObject>> items) { return NSArray::arrayWithObjects(items); }

// A target with neither icon colour accessor.
class PlainTarget : public NSObject {
    OBJC_INTERFACE(PlainTarget, NSObject)

public:
    PlainTarget() = default;
};
class TintOnlyPage : public TXTintedListController {
    OBJC_INTERFACE(TintOnlyPage, TXTintedListController)

public:
    TintOnlyPage() = default;
    OptionalColour tintColor() const override { return Ref<UIColor>(UIColor::greenColor()); }
};
class BothColoursPage : public TXTintedListController, public TXIconColorSource {
    OBJC_INTERFACE(BothColoursPage, TXTintedListController)

public:
    BothColoursPage() = default;
    OptionalColour tintColor() const override { return Ref<UIColor>(UIColor::greenColor()); }
    OptionalColour iconColor() const override { return Ref<UIColor>(UIColor::redColor()); }
};

PSSpecifier* only(const Ref<NSMutableArray>& rows) {
    EXPECT_EQ(rows->count(), 1u);
    return objc_cast<PSSpecifier>(rows->objectAtIndex(0));
}

std::string property(PSSpecifier* s, const char* key) {
    auto* text = objc_cast<NSString>(s->propertyForKey(key));
    return text ? text->str() : "<none>";
}

using Pixel = std::array<uint8_t, 4>;
// The colour of the icon where its ink is solid.
Pixel centre(PSSpecifier* s) {
    auto* icon = objc_cast<UIImage>(s->propertyForKey("iconImage"));
    if (!icon) return {};
    for (int y = 0; y < icon->CGImage()->height(); ++y)
        for (int x = 0; x < icon->CGImage()->width(); ++x)
            if (icon->CGImage()->pixel(x, y)[3] == 255) return icon->CGImage()->pixel(x, y);
    return {};
}

// Edge smoothing may leave a trace of the white icon in a solid pixel: a few levels at most.
::testing::AssertionResult looksLike(Pixel actual, Pixel expected) {
    for (int i = 0; i < 4; ++i)
        if (std::abs(actual[i] - expected[i]) > 8)
            return ::testing::AssertionFailure() << "pixel " << int(actual[0]) << "," << int(actual[1]) << ","
                                                 << int(actual[2]) << "," << int(actual[3]);
    return ::testing::AssertionSuccess();
}

}  // namespace

OBJC_IMPLEMENTATION(PlainTarget)
OBJC_IMPLEMENTATION(TintOnlyPage)
OBJC_IMPLEMENTATION(BothColoursPage)

TEST(TXSpecifierParser, CellNamesMapThroughTheTableAndAnythingElseIsAGroup) {
    const char* names[] = {"PSGroupCell", "PSLinkCell", "PSLinkListCell", "PSListItemCell", "PSTitleValueCell",
                           "PSSliderCell", "PSSwitchCell", "PSStaticTextCell", "PSEditTextCell", "PSSegmentCell",
                           "PSGiantIconCell", "PSGiantCell", "PSSecureEditTextCell", "PSButtonCell", "PSEditTextViewCell"};
    for (int i = 0; i < 15; ++i) EXPECT_EQ(TXSpecifierParser::PSCellTypeFromString(NSString::string(names[i])), i);
    EXPECT_EQ(TXSpecifierParser::PSCellTypeFromString(NSString::string("psswitchcell")), 0);
    EXPECT_EQ(TXSpecifierParser::PSCellTypeFromString(nullptr), 0);
    EXPECT_EQ(TXSpecifierParser::PSCellTypeFromString(NSNumber::numberWithInteger(6)), 0);
}

TEST(TXSpecifierParser, ASwitchRowCarriesItsDefaultsAndEveryKey) {
    auto target = make<PlainTarget>();
    auto rows = TXSpecifierParser::specifiersFromArray(
        list({row({{"cell", str("PSSwitchCell")}, {"label", str("Hide")}, {"key", str("kVoice")}})}), target);
    PSSpecifier* s = only(rows);
    EXPECT_EQ(s->cellType(), PSSwitchCell);
    EXPECT_EQ(s->name()->str(), "Hide");
    EXPECT_EQ(s->setter(), SELECTOR("setPreferenceValue:specifier:"));
    EXPECT_EQ(s->getter(), SELECTOR("readPreferenceValue:"));
    EXPECT_EQ(s->action, nullptr);
    EXPECT_EQ(property(s, "cell"), "PSSwitchCell");
    EXPECT_EQ(property(s, "label"), "Hide");
    EXPECT_EQ(property(s, "key"), "kVoice");
    EXPECT_EQ(property(s, "id"), "Hide");
    EXPECT_EQ(s->target(), target.get());
    EXPECT_EQ(TXSpecifierParser::specifiersFromArray(list({}), target)->count(), 0u);
}

TEST(TXSpecifierParser, GroupsTakeOnlyTheirOwnKeys) {
    auto rows = TXSpecifierParser::specifiersFromArray(
        list({row({{"cell", str("PSGroupCell")}}),
              row({{"cell", str("PSGroupCell")}, {"label", str("Status Bar")}, {"key", str("ignored")},
                   {"footerText", str("Below")}}),
              row({{"label", str("No cell")}}), row({{"cell", str("PSNoSuchCell")}, {"label", str("Odd")}})}),
        nullptr);
    ASSERT_EQ(rows->count(), 4u);
    auto* empty = objc_cast<PSSpecifier>(rows->objectAtIndex(0));
    EXPECT_EQ(empty->name(), nullptr);
    EXPECT_EQ(property(empty, "cell"), "PSGroupCell");
    EXPECT_EQ(empty->propertyForKey("label"), nullptr);
    EXPECT_EQ(empty->propertyForKey("id"), nullptr);
    auto* titled = objc_cast<PSSpecifier>(rows->objectAtIndex(1));
    EXPECT_EQ(titled->name()->str(), "Status Bar");
    EXPECT_EQ(property(titled, "label"), "Status Bar");
    EXPECT_EQ(property(titled, "id"), "Status Bar");
    EXPECT_EQ(property(titled, "footerText"), "Below");
    EXPECT_EQ(titled->propertyForKey("key"), nullptr);
    for (size_t i : {2u, 3u}) {
        auto* s = objc_cast<PSSpecifier>(rows->objectAtIndex(i));
        EXPECT_EQ(s->cellType(), PSGroupCell);
        EXPECT_EQ(property(s, "cell"), "PSGroupCell");
    }
}

TEST(TXSpecifierParser, ClassesSelectorsAndChoicesResolveByName) {
    auto rows = TXSpecifierParser::specifiersFromArray(
        list({row({{"cell", str("PSLinkListCell")}, {"label", str("Text Colour")}, {"detail", str("TintOnlyPage")},
                   {"cellClass", str("PlainTarget")}, {"set", str("store:with:")}, {"action", str("go")},
                   {"validValues", list({NSNumber::numberWithInteger(1), NSNumber::numberWithInteger(2)})},
                   {"validTitles", list({str("Black"), str("Blue")})}, {"id", str("fgc-row")}}),
              row({{"cell", str("PSLinkCell")}, {"detail", str("NoSuchClass")}, {"cellClass", str("Nope")},
                   {"validTitles", list({str("Black")})}})}),
        nullptr);
    auto* choice = objc_cast<PSSpecifier>(rows->objectAtIndex(0));
    EXPECT_EQ(choice->detailControllerClass(), TintOnlyPage::class_());
    EXPECT_EQ(objc_objectAsClass(choice->propertyForKey("cellClass")), PlainTarget::class_());
    EXPECT_EQ(choice->setter(), SELECTOR("store:with:"));
    EXPECT_EQ(choice->action, SELECTOR("go"));
    EXPECT_EQ(choice->titleForValue(NSNumber::numberWithInteger(2))->str(), "Blue");
    EXPECT_EQ(choice->propertyForKey("validValues"), nullptr);
    EXPECT_EQ(choice->propertyForKey("validTitles"), nullptr);
    EXPECT_EQ(property(choice, "id"), "fgc-row") << "an id wins over the label";
    auto* broken = objc_cast<PSSpecifier>(rows->objectAtIndex(1));
    EXPECT_EQ(broken->name()->str(), "") << "an ordinary row without a label";
    EXPECT_EQ(broken->detailControllerClass(), nullptr);
    EXPECT_EQ(broken->propertyForKey("cellClass"), nullptr);
    EXPECT_EQ(broken->titleDictionary(), nullptr) << "titles without values are ignored";
    EXPECT_EQ(broken->propertyForKey("id"), nullptr);
}

TEST(TXSpecifierParser, MalformedTablesDegradeWithoutACrash) {
    auto rows = TXSpecifierParser::specifiersFromArray(
        list({str("not a row"), list({str("nested")}),
              row({{"cell", NSNumber::numberWithInteger(6)}, {"label", NSNumber::numberWithInteger(3)}}),
              row({{"cell", str("PSSwitchCell")}, {"label", list({})}, {"detail", NSNumber::numberWithBool(true)},
                   {"icon", NSNumber::numberWithInteger(1)}, {"validValues", str("1,2")}, {"validTitles", str("a,b")}})}),
        nullptr);
    ASSERT_EQ(rows->count(), 2u);
    auto* numbered = objc_cast<PSSpecifier>(rows->objectAtIndex(0));
    EXPECT_EQ(numbered->cellType(), PSGroupCell);
    EXPECT_EQ(numbered->name(), nullptr) << "a label that is no text names nothing";
    EXPECT_EQ(numbered->propertyForKey("label"), nullptr);
    EXPECT_EQ(numbered->propertyForKey("id"), nullptr);
    auto* odd = objc_cast<PSSpecifier>(rows->objectAtIndex(1));
    EXPECT_EQ(odd->name()->str(), "");
    EXPECT_EQ(odd->detailControllerClass(), nullptr);
    EXPECT_EQ(odd->propertyForKey("iconImage"), nullptr);
    EXPECT_EQ(odd->values(), nullptr);
    EXPECT_EQ(TXSpecifierParser::specifiersFromArray(str("rows"), nullptr)->count(), 0u);
    EXPECT_EQ(TXSpecifierParser::specifiersFromArray(nullptr, nullptr)->count(), 0u);
}

TEST(TXSpecifierParser, IconsComeFromEitherBundleTintedIconColourFirst) {
    auto iconRow = [] { return list({row({{"cell", str("PSLinkCell")}, {"icon", str("settings.png")}})}); };
    // The test program holds the toolkit, so the parser's bundle is the program's directory; the
    // foreign target's bundle holds "icon.png" and the program's directory does not.
    Class foreign = foreignTargetClass();
    ASSERT_TRUE(foreign);
    Ref<NSObject> target = foreign->createInstance();
    auto both = TXSpecifierParser::specifiersFromArray(
        list({row({{"cell", str("PSLinkCell")}, {"icon", str("icon.png")}}),
              row({{"cell", str("PSGroupCell")}, {"icon", str("settings.png")}})}),
        target);
    for (size_t i : {0u, 1u})
        EXPECT_TRUE(looksLike(centre(objc_cast<PSSpecifier>(both->objectAtIndex(i))), Pixel{255, 0, 0, 255}))
            << "row " << i << ": found in the target's bundle, else the parser's, and tinted with iconColor asked by message";
    auto plain = make<PlainTarget>();
    EXPECT_TRUE(looksLike(centre(only(TXSpecifierParser::specifiersFromArray(iconRow(), plain))), Pixel{255, 255, 255, 255}))
        << "no colour accessors: the icon as loaded";
    EXPECT_TRUE(looksLike(centre(only(TXSpecifierParser::specifiersFromArray(iconRow(), make<TintOnlyPage>()))), Pixel{0, 255, 0, 255}));
    EXPECT_TRUE(looksLike(centre(only(TXSpecifierParser::specifiersFromArray(iconRow(), make<BothColoursPage>()))), Pixel{255, 0, 0, 255}));
    auto rows = TXSpecifierParser::specifiersFromArray(
        list({row({{"cell", str("PSLinkCell")}, {"icon", str("nowhere.png")}, {"leftImage", str("heart.png")}})}), plain);
    PSSpecifier* missing = only(rows);
    EXPECT_EQ(missing->propertyForKey("iconImage"), nullptr);
    EXPECT_EQ(property(missing, "icon"), "nowhere.png");
    EXPECT_TRUE(objc_cast<UIImage>(missing->propertyForKey("leftImage")));
}
