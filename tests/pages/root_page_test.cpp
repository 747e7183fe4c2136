#include <gtest/gtest.h>

#include "CoreFoundation/CFNotificationCenter.h"
#include "Foundation/NSNumber.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "PaneDevice.h"
#include "Social/SLComposeViewController.h"
#include "Preferences/PSTableCell.h"
#include "UIKit/UIKit.h"
#include "pages/CVSettingsListController.h"
#include "pages/CorvaneListController.h"
#include "pages/RestartObserver.h"

namespace {

std::string textAt(const NSDictionary* row, const char* key) {
    auto* s = row ? objc_cast<NSString>(row->objectForKey(key)) : nullptr;
    return s ? s->str() : "<none>";
}

// A product that dresses its root page in red: its icons must follow.
class RedRootPage : public CorvaneListController {
    OBJC_INTERFACE(RedRootPage, CorvaneListController)

public:
    RedRootPage() = default;
    OptionalColour navigationTintColor() const override { return Ref<UIColor>(UIColor::redColor()); }
};

// The colour of the first fully covered pixel of an image; black when nothing is covered.
std::array<uint8_t, 4> coveredColour(const UIImage* image) {
    const CGImage* bitmap = image->CGImage();
    for (int y = 0; y < bitmap->height(); ++y)
        for (int x = 0; x < bitmap->width(); ++x)
            if (bitmap->pixel(x, y)[3] == 255) return bitmap->pixel(x, y);
    return {0, 0, 0, 0};
}

// Edges of a drawn icon blend with its own white; within a few levels is the tint.
::testing::AssertionResult tintedWith(const UIImage* icon, std::array<uint8_t, 4> expected) {
    const auto found = coveredColour(icon);
    for (size_t i = 0; i < 4; ++i)
        if (std::abs(found[i] - expected[i]) > 8)
            return ::testing::AssertionFailure() << "pixel " << int(found[0]) << "," << int(found[1]) << ","
                                                 << int(found[2]) << "," << int(found[3]);
    return ::testing::AssertionSuccess();
}

UIImage* iconOf(PSListController& page, size_t row) {
    return objc_cast<UIImage>(page.specifierAtRow(row)->propertyForKey("iconImage"));
}

struct Shown {
    Ref<CorvaneListController> page = make<CorvaneListController>();
    Ref<UINavigationController> navigation = UINavigationController::initWithRootViewController(page);
    Shown() { navigation->show(); }
};

}  // namespace

OBJC_IMPLEMENTATION(RedRootPage)

TEST(RootPage, TableLinksSettingsAndCreditsAndEndsWithTheVersionFooter) {
    auto page = make<CorvaneListController>();
    Ref<NSArray> table = *page->customSpecifiers();
    ASSERT_EQ(table->count(), 5u);
    auto at = [&](size_t i) { return objc_cast<NSDictionary>(table->objectAtIndex(i)); };
    EXPECT_EQ(at(0)->count(), 1u) << "an untitled group with nothing else";
    EXPECT_EQ(textAt(at(0), "cell"), "PSGroupCell");
    EXPECT_EQ(textAt(at(1), "cell"), "PSLinkListCell");
    EXPECT_EQ(textAt(at(1), "label"), "Settings");
    EXPECT_EQ(textAt(at(1), "detail"), "CVSettingsListController");
    EXPECT_EQ(textAt(at(1), "icon"), "settings.png");
    EXPECT_EQ(textAt(at(2), "cell"), "PSGroupCell");
    EXPECT_EQ(textAt(at(2), "label"), "<none>");
    const std::string footer = textAt(at(2), "footerText");
    EXPECT_EQ(footer, CorvaneListController::kVersionFooter);
    EXPECT_TRUE(footer.ends_with("\nCorvane v1.4-3\n")) << footer;
    EXPECT_EQ(footer.find('\n'), footer.size() - std::string("\nCorvane v1.4-3\n").size())
        << "one rights line before the version";
    EXPECT_EQ(textAt(at(3), "label"), "Credits");
    EXPECT_EQ(textAt(at(3), "detail"), "CVCreditsListController");
    EXPECT_EQ(textAt(at(3), "icon"), "makers.png");
    EXPECT_EQ(textAt(at(4), "cell"), "PSLinkCell");
    EXPECT_EQ(textAt(at(4), "label"), "Support");
    EXPECT_EQ(textAt(at(4), "icon"), "support.png");
    EXPECT_EQ(textAt(at(4), "action"), "showSupportDialog");
    EXPECT_NE(page->customSpecifiers()->get(), table.get()) << "a new table on every call";
}

TEST(RootPage, RowsResolveToThePagesOfTheBundleWithGreyIcons) {
    PaneDevice device;
    Shown shown;
    CorvaneListController& page = *shown.page;
    ASSERT_EQ(page.rowCount(), 5u);
    EXPECT_EQ(page.specifierAtRow(1)->detailControllerClass(), objc_getClass("CVSettingsListController"));
    EXPECT_EQ(page.specifierAtRow(3)->detailControllerClass(), objc_getClass("CVCreditsListController"));
    EXPECT_EQ(page.specifierAtRow(4)->action, sel_registerName("showSupportDialog"));
    EXPECT_EQ(page.groupAtRow(2)->footer, CorvaneListController::kVersionFooter);
    for (size_t row : {1, 3, 4}) {
        UIImage* icon = iconOf(page, row);
        ASSERT_TRUE(icon) << row;
        EXPECT_TRUE(tintedWith(icon, {85, 85, 85, 255})) << "dark grey, row " << row;
    }
}

TEST(RootPage, IconsFollowASubclassesNavigationTint) {
    PaneDevice device;
    auto page = make<RedRootPage>();
    ASSERT_TRUE(page->iconColor());
    EXPECT_TRUE(page->iconColor()->get()->isEqual(*UIColor::redColor()));
    EXPECT_TRUE(page->respondsToSelector(sel_registerName("iconColor")));
    page->specifiers();
    UIImage* icon = iconOf(*page, 1);
    ASSERT_TRUE(icon) << "found in the bundle although the subclass lives elsewhere";
    EXPECT_TRUE(tintedWith(icon, {255, 0, 0, 255}));
}

TEST(RootPage, ShowsHeaderHeartAndGreyTintsAndAnEmptyTitleUntilCovered) {
    PaneDevice device;
    Shown shown;
    CorvaneListController& page = *shown.page;
    EXPECT_EQ(page.title(), "");
    UIView* header = page.table()->tableHeaderView();
    ASSERT_TRUE(header);
    ASSERT_EQ(header->subviews().size(), 2u);
    EXPECT_EQ(objc_cast<UILabel>(header->subviews()[0])->text(), "Corvane");
    EXPECT_EQ(objc_cast<UILabel>(header->subviews()[1])->text(), "By Brannoc Vesk");
    EXPECT_TRUE(objc_cast<UILabel>(header->subviews()[1])->textColor()->isEqual(*UIColor::grayColor()));
    EXPECT_TRUE(shown.navigation->navigationBar()->tintColor()->isEqual(*UIColor::darkGrayColor()));
    ASSERT_EQ(page.navigationItem()->rightBarButtonItems().size(), 2u) << "spacer and heart";

    page.heartWasTouched();
    auto* sheet = objc_cast<SLComposeViewController>(shown.navigation->presentedViewController());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->initialText(), "I'm using #Corvane by @BrannocVesk5!");
    shown.navigation->dismissViewControllerAnimated(false, nullptr);

    shown.navigation->pushViewController(make<UIViewController>(), false);
    EXPECT_EQ(page.title(), "Back");
    shown.navigation->popViewControllerAnimated(false);
    EXPECT_EQ(page.title(), "");
}

TEST(RootPage, SupportMailNeedsAnAccountAndAnyResultDismissesIt) {
    PaneDevice device;
    Shown shown;
    shown.page->tapRow(4);
    EXPECT_FALSE(shown.navigation->presentedViewController()) << "no mail account: nothing shows";

    device.addMailAccount();
    for (auto result : {MFMailComposeResultCancelled, MFMailComposeResultSent, MFMailComposeResultSaved,
                        MFMailComposeResultFailed}) {
        ASSERT_TRUE(shown.page->tapRow(4));
        auto* composer = objc_cast<MFMailComposeViewController>(shown.navigation->presentedViewController());
        ASSERT_TRUE(composer) << "presented over the navigation root";
        EXPECT_EQ(composer->subject(), "Corvane Support v1.4-3");
        EXPECT_EQ(composer->messageBody(), "");
        EXPECT_FALSE(composer->isHTML());
        EXPECT_EQ(composer->toRecipients(), std::vector<std::string>{CorvaneListController::kSupportAddress});
        EXPECT_EQ(composer->mailComposeDelegate(), shown.page.get());
        composer->finishWithResult(result);
        EXPECT_FALSE(shown.navigation->presentedViewController()) << "result " << result;
    }
}

TEST(RootPage, SupportOutsideANavigationStackDoesNotCrash) {
    PaneDevice device;
    device.addMailAccount();
    auto page = make<CorvaneListController>();
    page->showSupportDialog();
    EXPECT_FALSE(page->presentedViewController());
}
