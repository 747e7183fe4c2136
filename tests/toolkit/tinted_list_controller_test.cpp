#include <gtest/gtest.h>

#include "ForeignBundle.h"
#include "Foundation/NSException.h"
#include "Foundation/NSNumber.h"
#include "Preferences/PSTableCell.h"
#include "Social/SLComposeViewController.h"
#include "UIKit/UIKit.h"
#include "toolkit/TXTintedListController.h"

namespace {

using Entry = std::pair<std::string, Ref<NSObject>>;
Ref<NSDictionary> row(std::initializer_list<Entry> entries) { return NSDictionary::dictionaryWithObjectsAndKeys(entries); }
Ref<NSObject> str(const char* s) { return NSString::string(s); }
Ref<UIColor> colour(UIColor* c) { return Ref<UIColor>(c); }

// A page whose every accessor a test can switch on.
class ConfigurablePage : public TXTintedListController {
    OBJC_INTERFACE(ConfigurablePage, TXTintedListController)

public:
    ConfigurablePage() = default;
    std::optional<Ref<NSArray>> customSpecifiers() const override {
        ++tablesAsked;
        if (!hasTable) return std::nullopt;
        return NSArray::arrayWithObjects(
            {row({{"cell", str("PSGroupCell")}, {"footerText", str("Under the switch")}}),
             row({{"cell", str("PSLinkListCell")}, {"label", str("Colour")}, {"detail", str("PSListItemsController")},
                  {"validValues", NSArray::arrayWithObjects({NSNumber::numberWithInteger(1), NSNumber::numberWithInteger(2)})},
                  {"validTitles", NSArray::arrayWithObjects({str("Black"), str("Blue")})}}),
             row({{"cell", str("PSSwitchCell")}, {"label", str("Untranslated")}, {"key", str("k")},
                  {"defaults", str("com.test.tinted")}})});
    }
    std::optional<std::string> plistName() const override { return plist; }
    std::optional<std::string> customTitle() const override { return title_; }
    std::optional<bool> showHeartImage() const override { return heart; }
    std::optional<bool> shiftHeartImage() const override { return shift; }
    std::optional<std::string> shareMessage() const override { return share; }
    std::optional<bool> tintNavigationTitleText() const override { return tintTitle; }
    std::optional<bool> tintSwitches() const override { return switches; }
    OptionalColour tintColor() const override { return tint; }
    OptionalColour navigationTintColor() const override { return navTint; }
    OptionalColour navigationTitleTintColor() const override { return titleTint; }
    OptionalColour switchTintColor() const override { return switchTint; }
    OptionalColour switchOnTintColor() const override { return switchOnTint; }
    std::optional<std::string> headerImage() const override { return image; }
    std::optional<std::string> headerText() const override { return text; }
    std::optional<std::string> headerSubText() const override { return sub; }
    std::optional<Ref<UIView>> headerView() const override { return custom; }
    OptionalColour headerColor() const override { return headerTint; }
    NSBundle* bundle() const override { return ownBundle ? ownBundle : TXTintedListController::bundle(); }

    // The page's bundle, when it is to differ from the toolkit's.
    NSBundle* ownBundle = nullptr;
    bool hasTable = true;
    mutable int tablesAsked = 0;
    std::optional<std::string> plist, title_, share, image, text, sub;
    std::optional<bool> heart = true, shift = true, tintTitle, switches;
    OptionalColour tint, navTint, titleTint, switchTint, switchOnTint, headerTint;
    std::optional<Ref<UIView>> custom;
};

class OtherPage : public ConfigurablePage {
    OBJC_INTERFACE(OtherPage, ConfigurablePage)

public:
    OtherPage() = default;
};

UILabel* label(UIView* header, size_t i) { return objc_cast<UILabel>(header->subviews().at(i)); }

}  // namespace

OBJC_IMPLEMENTATION(ConfigurablePage)
OBJC_IMPLEMENTATION(OtherPage)

TEST(TXTintedListController, BuildsItsRowsOnceFromTheTableAndLocalisesThem) {
    auto page = make<ConfigurablePage>();
    page->plist = "Ignored";
    page->title_ = "Title Key";
    ::testing::internal::CaptureStderr();
    NSArray* rows = page->specifiers();
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(page->specifiers(), rows);
    EXPECT_EQ(page->tablesAsked, 1);
    EXPECT_NE(log.find("localizedSpecifiersWithSpecifiers"), std::string::npos);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    ASSERT_EQ(rows->count(), 3u);
    auto* group = objc_cast<PSSpecifier>(rows->objectAtIndex(0));
    EXPECT_EQ(group->name(), nullptr) << "a nil name stays nil";
    EXPECT_EQ(objc_cast<NSString>(group->propertyForKey("footerText"))->str(), "Unter dem Schalter");
    auto* choice = objc_cast<PSSpecifier>(rows->objectAtIndex(1));
    EXPECT_EQ(choice->name()->str(), "Farbe");
    EXPECT_EQ(choice->titleForValue(NSNumber::numberWithInteger(2))->str(), "Blau");
    EXPECT_TRUE(choice->titleDictionary()->objectForKey("1")) << "values stay untranslated";
    EXPECT_EQ(objc_cast<PSSpecifier>(rows->objectAtIndex(2))->name()->str(), "Untranslated");
    EXPECT_EQ(objc_cast<PSSpecifier>(rows->objectAtIndex(2))->propertyForKey("footerText"), nullptr);
    EXPECT_EQ(page->title(), "Seitentitel");
    EXPECT_EQ(page->localizedString("Empty"), "") << "an empty translation is still a translation";
    EXPECT_EQ(page->localizedString("No Entry"), "No Entry");
}

TEST(TXTintedListController, EmptyCustomTitleEmptiesThePageTitleAndThePlistPathSetsNone) {
    auto page = make<ConfigurablePage>();
    page->setTitle("Before");
    page->title_ = "";
    page->specifiers();
    EXPECT_EQ(page->title(), "");
    auto listed = make<ConfigurablePage>();
    listed->hasTable = false;
    listed->plist = "NoSuchList";
    listed->title_ = "Title Key";
    listed->setTitle("Kept");
    EXPECT_EQ(listed->specifiers()->count(), 0u);
    EXPECT_EQ(listed->title(), "Kept");
}

TEST(TXTintedListController, APageWithoutRowsRaisesAPlainException) {
    auto page = make<ConfigurablePage>();
    page->hasTable = false;
    try {
        page->specifiers();
        FAIL() << "no table and no list must raise";
    } catch (const NSExceptionError& e) {
        EXPECT_EQ(e.exception()->name(), nullptr);
        EXPECT_EQ(e.exception()->reason(), nullptr);
    }
}

TEST(TXTintedListController, HeartButtonSitsSixteenPointsNearerTheEdgeAndSharesTheMessage) {
    auto page = make<ConfigurablePage>();
    page->ownBundle = foreignBundle();  // no heart there: the heart is the toolkit's
    ASSERT_TRUE(page->ownBundle);
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    const auto& items = page->navigationItem()->rightBarButtonItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->systemItem(), UIBarButtonSystemItemFixedSpace);
    EXPECT_EQ(items[0]->width(), -16);
    auto* button = objc_cast<UIButton>(items[1]->customView());
    ASSERT_TRUE(button);
    EXPECT_EQ(button->frame(), CGRectMake(0, 0, 22, 20));
    EXPECT_TRUE(button->showsTouchWhenHighlighted());
    auto* heart = button->backgroundImageForState(UIControlStateNormal);
    ASSERT_TRUE(heart);
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    auto* sheet = objc_cast<SLComposeViewController>(nav->presentedViewController());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->serviceType(), SLServiceTypeTwitter);
    EXPECT_EQ(sheet->initialText(), "Someone needs to change their [TXTintedListController shareMessage]!");

    auto unshifted = make<ConfigurablePage>();
    unshifted->shift = false;
    unshifted->share = "Look!";
    auto nav2 = UINavigationController::initWithRootViewController(unshifted);
    nav2->show();
    ASSERT_EQ(unshifted->navigationItem()->rightBarButtonItems().size(), 1u);
    unshifted->heartWasTouched();
    EXPECT_EQ(objc_cast<SLComposeViewController>(nav2->presentedViewController())->initialText(), "Look!");

    auto none = make<ConfigurablePage>();
    none->heart = false;
    none->text = "Header Key";
    none->view();
    EXPECT_TRUE(none->navigationItem()->rightBarButtonItems().empty());
    EXPECT_TRUE(none->table()->tableHeaderView()) << "the header is built without a heart";
}

TEST(TXTintedListController, TextHeaderWithAndWithoutSubtitle) {
    auto page = make<ConfigurablePage>();
    page->heart = false;
    page->text = "Header Key";
    page->sub = "Sub Key";
    page->tint = colour(UIColor::redColor());
    page->headerTint = colour(UIColor::grayColor());
    UIView* header = page->view() ? page->table()->tableHeaderView() : nullptr;
    ASSERT_TRUE(header);
    EXPECT_EQ(header->frame(), CGRectMake(0, 0, 320, 95));
    EXPECT_EQ(header->backgroundColor(), UIColor::clearColor());
    ASSERT_EQ(header->subviews().size(), 2u);
    EXPECT_EQ(label(header, 0)->frame(), CGRectMake(0, 10, 320, 45));
    EXPECT_EQ(label(header, 0)->text(), "Kopf");
    EXPECT_EQ(label(header, 0)->font()->fontName(), "HelveticaNeue-Light");
    EXPECT_EQ(label(header, 0)->font()->pointSize(), 48);
    EXPECT_EQ(label(header, 0)->textColor(), UIColor::grayColor()) << "the header colour wins over the tint";
    EXPECT_EQ(label(header, 0)->textAlignment(), NSTextAlignmentCenter);
    EXPECT_EQ(label(header, 1)->frame(), CGRectMake(0, 55, 320, 20));
    EXPECT_EQ(label(header, 1)->text(), "Unterzeile");
    EXPECT_EQ(label(header, 1)->font()->pointSize(), 16);

    auto single = make<ConfigurablePage>();
    single->heart = false;
    single->text = "Plain";
    single->tint = colour(UIColor::redColor());
    UIView* one = single->view() ? single->table()->tableHeaderView() : nullptr;
    ASSERT_TRUE(one);
    EXPECT_EQ(one->frame(), CGRectMake(0, 0, 320, 60));
    ASSERT_EQ(one->subviews().size(), 1u);
    EXPECT_EQ(label(one, 0)->frame(), CGRectMake(0, 5, 320, 50));
    EXPECT_EQ(label(one, 0)->textColor(), UIColor::redColor());
}

TEST(TXTintedListController, ImageTextAndCustomHeadersReplaceEachOtherInTurn) {
    auto both = make<ConfigurablePage>();
    both->heart = false;
    both->image = "brannoc.png";
    both->text = "Header Key";
    both->view();
    EXPECT_EQ(both->table()->tableHeaderView()->frame().size.height, 60) << "text wins over the image";
    auto picture = make<ConfigurablePage>();
    picture->heart = false;
    picture->image = "icon.png";  // in the page's bundle only, not in the toolkit's
    picture->ownBundle = foreignBundle();
    picture->view();
    UIView* header = picture->table()->tableHeaderView();
    ASSERT_TRUE(header);
    EXPECT_EQ(header->frame(), CGRectMake(0, 0, 320, 100));
    EXPECT_EQ(objc_cast<UIImageView>(header->subviews().at(0))->frame(), CGRectMake(0, 10, 29, 29));
    auto nothing = make<ConfigurablePage>();
    nothing->heart = false;
    nothing->text = "Header Key";
    nothing->custom = Ref<UIView>();
    nothing->view();
    EXPECT_EQ(nothing->table()->tableHeaderView(), nullptr) << "a custom header of nil removes the header";
}

TEST(TXTintedListController, TintsApplyWhileShownAndClearWhenThePageGoesAway) {
    auto page = make<ConfigurablePage>();
    page->heart = false;
    page->tint = colour(UIColor::redColor());
    page->navTint = colour(UIColor::darkGrayColor());
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    UINavigationBar* bar = nav->navigationBar();
    EXPECT_EQ(page->view()->ownTintColor(), UIColor::redColor());
    EXPECT_EQ(bar->ownTintColor(), UIColor::darkGrayColor());
    EXPECT_EQ(bar->titleColor(), UIColor::redColor()) << "the title falls back to the page tint";

    auto plain = make<ConfigurablePage>();
    plain->heart = false;
    plain->tintTitle = false;
    plain->tint = colour(UIColor::greenColor());
    plain->navTint = colour(UIColor::blueColor());
    nav->pushViewController(plain, false);
    EXPECT_EQ(page->view()->ownTintColor(), nullptr);
    EXPECT_EQ(bar->ownTintColor(), UIColor::blueColor());
    EXPECT_EQ(bar->titleColor(), nullptr) << "cleared by the page below and not set by this one";
    nav->popViewControllerAnimated(false);
    EXPECT_EQ(bar->ownTintColor(), UIColor::darkGrayColor());
    EXPECT_EQ(bar->titleColor(), UIColor::redColor());

    auto nilTitle = make<ConfigurablePage>();
    nilTitle->heart = false;
    nilTitle->titleTint = Ref<UIColor>();
    nav->pushViewController(nilTitle, false);
    EXPECT_TRUE(bar->titleTextAttributes());
    EXPECT_EQ(bar->titleTextAttributes()->count(), 0u) << "a nil title colour leaves the cleared attributes alone";
}

TEST(TXTintedListController, SwitchTintsAreScopedToThePagesClass) {
    auto page = make<ConfigurablePage>();
    page->heart = false;
    page->switchOnTint = colour(UIColor::darkGrayColor());
    page->tint = colour(UIColor::grayColor());
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    auto* cell = objc_cast<PSSwitchTableCell>(page->cellAtRow(2));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->switchControl()->effectiveOnTintColor(), UIColor::darkGrayColor());
    EXPECT_EQ(cell->switchControl()->effectiveTintColor(), UIColor::grayColor());

    auto other = make<OtherPage>();
    other->heart = false;
    other->switches = false;
    other->tint = colour(UIColor::redColor());
    nav->pushViewController(other, false);
    auto* otherCell = objc_cast<PSSwitchTableCell>(other->cellAtRow(2));
    EXPECT_NE(otherCell->switchControl()->effectiveTintColor(), UIColor::redColor()) << "tintSwitches NO sets nothing";
}

TEST(TXTintedListController, AccessorsAnswerRespondsToSelector) {
    auto page = make<ConfigurablePage>();
    EXPECT_FALSE(page->respondsToSelector(SELECTOR("tintColor")));
    page->tint = colour(UIColor::redColor());
    EXPECT_TRUE(page->respondsToSelector(SELECTOR("tintColor")));
    EXPECT_TRUE(page->respondsToSelector(SELECTOR("showHeartImage")));
    EXPECT_FALSE(page->respondsToSelector(SELECTOR("iconColor")));
    EXPECT_TRUE(page->respondsToSelector(SELECTOR("heartWasTouched")));
    EXPECT_EQ(*page->heartImageColor(), UIColor::redColor());
    page->tint.reset();
    EXPECT_EQ((*page->heartImageColor())->green(), 0.478431);
}
