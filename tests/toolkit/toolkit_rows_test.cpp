// Tinted cells, the tinted choice list and the standard root page, in real navigation stacks.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "DeviceRoot.h"
#include "Foundation/NSNumber.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "UIKit/UIKit.h"
#include "objc/message.h"
#include "toolkit/TXListItemsController.h"
#include "toolkit/TXStandardController.h"
#include "toolkit/TXTintedCell.h"
#include "toolkit/TXTintedControlCell.h"
#include "toolkit/TXTintedSwitchCell.h"

namespace {

Ref<UIColor> colour(UIColor* c) { return Ref<UIColor>(c); }

template <class Cell>
Ref<Cell> cellOf() {
    Ref<NSObject> cell = Cell::class_()->createInstance();
    auto reuse = NSString::string("row");
    objc_msgSend<id(NSInteger, id)>(cell, SELECTOR("initWithStyle:reuseIdentifier:"), NSInteger{1}, static_cast<id>(reuse.get()));
    return Ref<Cell>(objc_cast<Cell>(cell.get()));
}

class ChoiceList : public TXListItemsController {
    OBJC_INTERFACE(ChoiceList, TXListItemsController)

public:
    ChoiceList() = default;
    OptionalColour tintColor() const override { return tint; }
    OptionalColour navigationTintColor() const override { return navTint; }
    OptionalColour navigationTitleTintColor() const override { return titleTint; }
    std::optional<bool> tintNavigationTitleText() const override { return tintTitle; }
    OptionalColour tint, navTint, titleTint;
    std::optional<bool> tintTitle;
};

class Product : public TXStandardController {
    OBJC_INTERFACE(Product, TXStandardController)

public:
    Product() = default;
    std::string defaultsFileName() const override { return "com.qelmor.product"; }
    std::string postNotification() const override { return "com.qelmor.product/Changed"; }
    std::string settingsListControllerClassName() const override { return "ChoiceList"; }
    std::string makersListControllerClassName() const override { return "Product"; }
    std::string emailSubject() const override { return "Mail Subject"; }
    std::string emailBody() const override { return "Plain body"; }
    std::vector<std::string> emailAddresses() const override { return {"a@qelmor.com", "b@qelmor.com"}; }
    OptionalColour tintColor() const override { return tint; }
    OptionalColour navigationTintColor() const override { return navTint; }
    OptionalColour tint, navTint;
};

std::string textAt(NSArray* table, size_t row, const char* key) {
    auto* dict = objc_cast<NSDictionary>(table->objectAtIndex(row));
    auto* s = dict ? objc_cast<NSString>(dict->objectForKey(key)) : nullptr;
    return s ? s->str() : "<none>";
}

std::array<uint8_t, 4> inkOf(PSSpecifier* row) {
    auto* icon = objc_cast<UIImage>(row->propertyForKey("iconImage"));
    for (int y = 0; icon && y < icon->CGImage()->height(); ++y)
        for (int x = 0; x < icon->CGImage()->width(); ++x)
            if (icon->CGImage()->pixel(x, y)[3] == 255) return icon->CGImage()->pixel(x, y);
    return {};
}

class WithDevice : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("SIMULATOR_ROOT", device.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("SIMULATOR_ROOT"); }
    void mailAccount() {
        auto accounts = NSDictionary::dictionaryWithObjectsAndKeys(
            {{"Accounts", NSArray::arrayWithObjects({NSString::string("brannoc@qelmor.com")})}});
        device.writeFile("/var/mobile/Library/Mail/Accounts.plist", *plist::serialize(accounts, plist::Format::Binary));
    }
    testing_support::DeviceRoot device;
};

}  // namespace

OBJC_IMPLEMENTATION(ChoiceList)
OBJC_IMPLEMENTATION(Product)

TEST(TintedCells, TitlesFollowThePagesTintUnlessItIsTheDefaultBlue) {
    auto page = make<UIView>();
    auto cell = cellOf<TXTintedCell>();
    auto toggle = cellOf<TXTintedSwitchCell>();
    auto control = cellOf<TXTintedControlCell>();
    const std::vector<UILabel*> titles{cell->textLabel(), toggle->titleTextLabel(), control->titleTextLabel()};
    page->addSubview(cell);
    page->addSubview(toggle);
    page->addSubview(control);
    Ref<UIColor> nearBlue = UIColor::colorWithRed(0.05, 0.5, 0.95, 1);  // within 0.1 of the default blue
    page->setTintColor(nearBlue);
    page->layoutIfNeeded();
    for (UILabel* title : titles) EXPECT_FALSE(title->hasCustomTextColor());
    page->setTintColor(UIColor::darkGrayColor());
    page->layoutIfNeeded();
    for (UILabel* title : titles) EXPECT_EQ(title->textColor(), UIColor::darkGrayColor());
    EXPECT_EQ(toggle->switchControl()->onTintColor(), nullptr) << "the switch itself is not the title";
    page->setTintColor(nearBlue);
    page->layoutIfNeeded();
    for (UILabel* title : titles) EXPECT_EQ(title->textColor(), UIColor::darkGrayColor()) << "the default blue resets nothing";
    // Reused under another page's tint, the cell follows at its next layout.
    auto other = make<UIView>();
    other->setTintColor(UIColor::redColor());
    other->addSubview(cell);
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->textLabel()->textColor(), UIColor::redColor());
}

TEST(TXListItemsController, AppliesItsAccessorsWhileShownAndClearsOnDisappear) {
    struct Case {
        OptionalColour tint, navTint, titleTint;
        std::optional<bool> tintTitle;
        UIColor *viewTint, *barTint, *titleColour;
    };
    // The bar comes in purple with a purple title: what the list does not tint stays so.
    UIColor* purple = UIColor::purpleColor();
    const Case cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, std::nullopt, nullptr, purple, purple},
        {colour(UIColor::redColor()), std::nullopt, std::nullopt, std::nullopt, UIColor::redColor(), UIColor::redColor(),
         UIColor::redColor()},
        {colour(UIColor::redColor()), std::nullopt, std::nullopt, false, UIColor::redColor(), UIColor::redColor(), purple},
        {colour(UIColor::redColor()), colour(UIColor::blueColor()), colour(UIColor::greenColor()), true,
         UIColor::redColor(), UIColor::blueColor(), UIColor::greenColor()},
    };
    for (const Case& c : cases) {
        auto below = make<PSListController>();
        auto nav = UINavigationController::initWithRootViewController(below);
        nav->show();
        nav->navigationBar()->setTintColor(purple);
        nav->navigationBar()->setTitleTextAttributes(
            NSDictionary::dictionaryWithObjectsAndKeys({{NSForegroundColorAttributeName, Ref<NSObject>(purple)}}));
        auto list = make<ChoiceList>();
        list->tint = c.tint;
        list->navTint = c.navTint;
        list->titleTint = c.titleTint;
        list->tintTitle = c.tintTitle;
        nav->pushViewController(list, false);
        EXPECT_EQ(list->view()->ownTintColor(), c.viewTint);
        EXPECT_EQ(nav->navigationBar()->ownTintColor(), c.barTint);
        EXPECT_EQ(nav->navigationBar()->titleColor(), c.titleColour);
        nav->popViewControllerAnimated(false);
        EXPECT_EQ(list->view()->ownTintColor(), nullptr);
        EXPECT_EQ(nav->navigationBar()->ownTintColor(), nullptr);
        ASSERT_TRUE(nav->navigationBar()->titleTextAttributes());
        EXPECT_EQ(nav->navigationBar()->titleTextAttributes()->count(), 0u);
    }
}

TEST_F(WithDevice, TheStandardTableCarriesItsDefaultsAndASubclasssNames) {
    auto plain = make<TXStandardController>();
    Ref<NSArray> table = *plain->customSpecifiers();
    ASSERT_EQ(table->count(), 8u);
    EXPECT_EQ(textAt(table, 0, "footerText"), "test");
    EXPECT_EQ(textAt(table, 1, "label"), "ENABLED");
    EXPECT_EQ(textAt(table, 1, "key"), "enabled");
    EXPECT_EQ(textAt(table, 1, "defaults"), "");
    EXPECT_EQ(textAt(table, 1, "PostNotification"), "");
    EXPECT_TRUE(objc_cast<NSNumber>(objc_cast<NSDictionary>(table->objectAtIndex(1))->objectForKey("default"))->boolValue());
    EXPECT_EQ(textAt(table, 1, "cellClass"), "TXTintedSwitchCell");
    EXPECT_EQ(textAt(table, 1, "icon"), "enabled.png");
    EXPECT_EQ(textAt(table, 3, "label"), "OPTIONS");
    EXPECT_EQ(textAt(table, 5, "label"), "MAKERS");
    EXPECT_EQ(textAt(table, 7, "label"), "SUPPORT");
    for (auto [index, icon] : {std::pair{3, "settings.png"}, {5, "makers.png"}, {7, "support.png"}}) {
        EXPECT_EQ(textAt(table, index, "icon"), icon);
        EXPECT_EQ(textAt(table, index, "cellClass"), "TXTintedCell") << index;
    }
    EXPECT_EQ(textAt(table, 7, "action"), "showSupportDialog");
    EXPECT_EQ(textAt(table, 6, "footerText"), "");
    auto product = make<Product>();
    Ref<NSArray> named = *product->customSpecifiers();
    EXPECT_EQ(textAt(named, 1, "defaults"), "com.qelmor.product");
    EXPECT_EQ(textAt(named, 1, "PostNotification"), "com.qelmor.product/Changed");
    EXPECT_EQ(textAt(named, 3, "detail"), "ChoiceList");
    EXPECT_EQ(textAt(named, 5, "detail"), "Product");
}

TEST_F(WithDevice, IconsAreWhiteOrTheTintOrTheNavigationTint) {
    const std::array<uint8_t, 4> white{255, 255, 255, 255};
    auto plain = make<Product>();
    EXPECT_EQ(inkOf(objc_cast<PSSpecifier>(plain->specifiers()->objectAtIndex(3))), white);
    auto tinted = make<Product>();
    tinted->tint = colour(UIColor::redColor());
    EXPECT_LT(inkOf(objc_cast<PSSpecifier>(tinted->specifiers()->objectAtIndex(3)))[1], 10);
    auto navTinted = make<Product>();
    navTinted->tint = colour(UIColor::redColor());
    navTinted->navTint = colour(UIColor::blueColor());
    const auto ink = inkOf(objc_cast<PSSpecifier>(navTinted->specifiers()->objectAtIndex(3)));
    EXPECT_LT(ink[0], 10);
    EXPECT_GT(ink[2], 245);
}

TEST_F(WithDevice, SupportMailNeedsAnAccountAndEveryResultDismissesIt) {
    auto page = make<Product>();
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    page->showSupportDialog();
    EXPECT_EQ(nav->presentedViewController(), nullptr) << "no mail account: nothing";
    mailAccount();
    for (auto result : {MFMailComposeResultSent, MFMailComposeResultSaved, MFMailComposeResultCancelled,
                        MFMailComposeResultFailed}) {
        page->showSupportDialog();
        auto* mail = objc_cast<MFMailComposeViewController>(nav->presentedViewController());
        ASSERT_TRUE(mail);
        EXPECT_EQ(mail->subject(), "Betreff") << "the subject is a key of the strings table";
        EXPECT_EQ(mail->messageBody(), "Plain body");
        EXPECT_FALSE(mail->isHTML());
        EXPECT_EQ(mail->toRecipients(), (std::vector<std::string>{"a@qelmor.com", "b@qelmor.com"}));
        mail->finishWithResult(result);
        EXPECT_EQ(nav->presentedViewController(), nullptr) << result;
    }
}
