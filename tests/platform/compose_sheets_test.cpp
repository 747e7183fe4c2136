#include <gtest/gtest.h>

#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "ScratchDevice.h"
#include "Social/SLComposeViewController.h"
#include "UIKit/UIKit.h"
#include "objc/message.h"

namespace {

constexpr const char* kAccountsFile = "/var/mobile/Library/Mail/Accounts.plist";

// Answers the composer by name, as a page does, and lets the composer go when told, as a page
// dismissing it would.
class MailDelegateProbe : public NSObject {
    OBJC_INTERFACE(MailDelegateProbe, NSObject)

public:
    MailDelegateProbe() = default;
    std::vector<int> results;
    NSObject* lastController = nullptr;
    NSObject* lastError = reinterpret_cast<NSObject*>(1);
    Ref<MFMailComposeViewController> held;
};

class SilentMailDelegate : public NSObject {
    OBJC_INTERFACE(SilentMailDelegate, NSObject)

public:
    SilentMailDelegate() = default;
};

void writeAccounts(const ScratchDevice& device, Ref<NSObject> accounts) {
    device.writePlist(kAccountsFile, NSDictionary::dictionaryWithObjectsAndKeys({{"Accounts", accounts}}),
                      plist::Format::Binary);
}

}  // namespace

OBJC_IMPLEMENTATION(MailDelegateProbe,
    objc::method("mailComposeController:didFinishWithResult:error:", [](id self, SEL, id controller, int result, id error) {
        auto* probe = static_cast<MailDelegateProbe*>(self);
        probe->results.push_back(result);
        probe->lastController = controller;
        probe->lastError = error;
        probe->held = nullptr;
    }))
OBJC_IMPLEMENTATION(SilentMailDelegate)

TEST(MailComposer, CanSendOnlyWithAnAccountOnTheDevice) {
    ScratchDevice device;
    EXPECT_FALSE(MFMailComposeViewController::canSendMail()) << "no accounts file";
    writeAccounts(device, make<NSArray>());
    EXPECT_FALSE(MFMailComposeViewController::canSendMail()) << "an empty list";
    writeAccounts(device, NSString::string("me@example.org"));
    EXPECT_FALSE(MFMailComposeViewController::canSendMail()) << "not a list";
    device.write(kAccountsFile, std::string("\0garbage", 8));
    EXPECT_FALSE(MFMailComposeViewController::canSendMail()) << "a corrupt file";
    writeAccounts(device, NSArray::arrayWithObjects({NSString::string("me@example.org")}));
    EXPECT_TRUE(MFMailComposeViewController::canSendMail());
}

TEST(MailComposer, TellsTheDelegateEachResultByName) {
    auto delegate = make<MailDelegateProbe>();
    const uint32_t retained = delegate->retainCount();
    auto composer = make<MFMailComposeViewController>();
    composer->setMailComposeDelegate(delegate);
    EXPECT_EQ(delegate->retainCount(), retained) << "the delegate is not owned";
    for (MFMailComposeResult result : {MFMailComposeResultCancelled, MFMailComposeResultSaved,
                                       MFMailComposeResultSent, MFMailComposeResultFailed})
        composer->finishWithResult(result);
    EXPECT_EQ(delegate->results, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(delegate->lastController, composer.get());
    EXPECT_EQ(delegate->lastError, nullptr);
}

TEST(MailComposer, SurvivesADelegateThatLetsItGoAndIgnoresOneThatDoesNotAnswer) {
    auto delegate = make<MailDelegateProbe>();
    {
        auto composer = make<MFMailComposeViewController>();
        composer->setMailComposeDelegate(delegate);
        delegate->held = composer;
    }
    delegate->held->finishWithResult(MFMailComposeResultSent);  // the last reference goes in the callback
    EXPECT_EQ(delegate->results, std::vector<int>{2});

    auto silent = make<SilentMailDelegate>();
    auto composer = make<MFMailComposeViewController>();
    composer->setMailComposeDelegate(silent);
    EXPECT_NO_THROW(composer->finishWithResult(MFMailComposeResultCancelled));
    composer->setMailComposeDelegate(nullptr);
    EXPECT_NO_THROW(composer->finishWithResult(MFMailComposeResultCancelled));
}

TEST(ShareSheet, CarriesTheServiceAndTheInitialText) {
    EXPECT_STREQ(SLServiceTypeTwitter, "com.apple.social.twitter");
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->serviceType(), "com.apple.social.twitter");
    EXPECT_EQ(sheet->initialText(), "");
    EXPECT_TRUE(sheet->setInitialText("Someone needs to change their Corvane!"));
    EXPECT_EQ(sheet->initialText(), "Someone needs to change their Corvane!");
    EXPECT_TRUE(sheet->isKindOfClass(UIViewController::class_()));
}

// A page in a navigation stack at the root of a window, with a switch that shows the page's tint.
struct ScreenWithPage {
    Ref<UIViewController> page = make<UIViewController>();
    Ref<UINavigationController> stack = UINavigationController::initWithRootViewController(page);
    Ref<UIWindow> window = make<UIWindow>();
    Ref<UISwitch> toggle = make<UISwitch>();
    ScreenWithPage() {
        window->setRootViewController(stack);
        stack->show();
        page->view()->addSubview(toggle);
        window->layoutIfNeeded();
    }
};

TEST(Presentation, ASheetCoversThePresentersWindowUnderTheStatusBarUntilDismissed) {
    ScreenWithPage screen;
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    screen.page->presentViewController(sheet, true, nullptr);
    UIView* covering = sheet->view();
    EXPECT_EQ(covering->superview(), screen.window.get());
    EXPECT_TRUE(covering->frame() == screen.window->bounds());
    EXPECT_EQ(screen.window->subviews().back().get(), screen.window->statusBar());
    EXPECT_EQ(screen.window->hitTest(CGPointMake(160, 400), nullptr)->isDescendantOfView(covering), true)
        << "touches land on the sheet, not the page under it";

    sheet->dismissViewControllerAnimated(true, nullptr);
    EXPECT_EQ(covering->superview(), nullptr);
    EXPECT_EQ(screen.window->subviews().size(), 2u) << "the page and the status bar";
}

TEST(Presentation, TintsUnderASheetAreDimmedWhileItShowsAndTheSheetsOwnAreNot) {
    ScreenWithPage screen;
    UIColor* blue = UIView::defaultTintColor();
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    screen.page->presentViewController(sheet, true, nullptr);
    EXPECT_EQ(screen.toggle->tintColor(), UIView::dimmedTintColor());
    EXPECT_EQ(sheet->view()->tintColor(), blue);

    sheet->dismissViewControllerAnimated(true, nullptr);
    EXPECT_EQ(screen.toggle->tintColor(), blue);
    EXPECT_EQ(screen.stack->view()->tintAdjustmentMode(), UIViewTintAdjustmentModeNormal);
}

TEST(Presentation, APresenterOffScreenLeavesTheSheetOutOfAnyWindow) {
    auto page = make<UIViewController>();
    auto toggle = make<UISwitch>();
    page->view()->addSubview(toggle);
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    page->presentViewController(sheet, false, nullptr);
    EXPECT_EQ(sheet->presentingViewController(), page.get());
    EXPECT_EQ(sheet->view()->superview(), nullptr);
    EXPECT_EQ(toggle->tintColor(), UIView::defaultTintColor());
}
