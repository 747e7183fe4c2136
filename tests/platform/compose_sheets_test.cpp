#include <gtest/gtest.h>

#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "ScratchDevice.h"
#include "ViewPicture.h"
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
        page->view()->setBackgroundColor(UIColor::whiteColor());
        window->setRootViewController(stack);
        stack->show();
        page->view()->addSubview(toggle);
        window->layoutIfNeeded();
    }
};

TEST(Presentation, ASheetCoversTheWindowUnderTheStatusBarAndDimsThePageUntilDismissed) {
    ScreenWithPage screen;
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    screen.page->presentViewController(sheet, true, nullptr);
    UIView* covering = sheet->view();
    EXPECT_EQ(covering->superview(), screen.window.get());
    EXPECT_TRUE(covering->frame() == screen.window->bounds());
    EXPECT_EQ(screen.window->subviews().back().get(), screen.window->statusBar());
    EXPECT_TRUE(screen.window->hitTest(CGPointMake(160, 400), nullptr)->isDescendantOfView(covering));
    EXPECT_EQ(screen.toggle->tintColor(), UIView::dimmedTintColor());
    EXPECT_EQ(covering->tintColor(), UIView::defaultTintColor()) << "the sheet itself is not dimmed";

    sheet->dismissViewControllerAnimated(true, nullptr);
    EXPECT_EQ(covering->superview(), nullptr);
    EXPECT_EQ(screen.toggle->tintColor(), UIView::defaultTintColor());
}

TEST(Presentation, APresenterOffScreenLeavesTheSheetOutOfAnyWindow) {
    auto page = make<UIViewController>();
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    page->presentViewController(sheet, false, nullptr);
    EXPECT_EQ(sheet->presentingViewController(), page.get());
    EXPECT_EQ(sheet->view()->superview(), nullptr);
}

namespace {

// The label of `root`'s tree that shows `text`, or nil.
UILabel* labelShowing(UIView* root, const std::string& text) {
    if (auto* label = objc_cast<UILabel>(root); label && label->text() == text) return label;
    for (const auto& child : root->subviews())
        if (UILabel* found = labelShowing(child, text)) return found;
    return nullptr;
}

// Where `view` stands in the window; nowhere when it is not shown.
CGRect inWindow(const UIView* view) { return view ? view->convertRect(view->bounds(), view->window()) : CGRect{}; }

void tap(UIControl* control) { control->sendActionsForControlEvents(UIControlEventTouchUpInside); }

}  // namespace

TEST(ShareSheet, ACardWithItsBarTextAndCharactersLeftWhereTheFingerFindsThem) {
    ScreenWithPage screen;
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    sheet->setInitialText("Tea");
    screen.page->presentViewController(sheet, true, nullptr);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(screen.window->hitTest(CGPointMake(40, 96), nullptr), sheet->cancelButton());
    EXPECT_EQ(screen.window->hitTest(CGPointMake(290, 96), nullptr), sheet->confirmButton());
    EXPECT_EQ(CGRectGetMaxX(inWindow(sheet->confirmButton())), 312) << "at the card's right edge";
    EXPECT_TRUE(inWindow(sheet->cancelButton()).origin == CGPointMake(8, 74));
    EXPECT_EQ(inWindow(labelShowing(sheet->view(), "Twitter")).origin.x, CGRectGetMaxX(inWindow(sheet->cancelButton())));
    EXPECT_TRUE(inWindow(labelShowing(sheet->view(), "Tea")) == CGRectMake(20, 128, 280, 122));
    EXPECT_TRUE(inWindow(labelShowing(sheet->view(), "137")) == CGRectMake(20, 252, 280, 20));
    sheet->setInitialText("Caf\u00e9 \u00fcber \u2764");  // 11 characters in 15 bytes
    screen.window->layoutIfNeeded();
    EXPECT_TRUE(labelShowing(sheet->view(), "129")) << "characters counted, and text set after loading shown";
}

TEST(ShareSheet, CancelAndPostEachDismissTheSheetAndSayWhich) {
    ScreenWithPage screen;
    std::vector<SLComposeViewControllerResult> results;
    for (bool post : {false, true}) {
        auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
        sheet->setCompletionHandler([&](SLComposeViewControllerResult r) { results.push_back(r); });
        screen.page->presentViewController(sheet, true, nullptr);
        tap(post ? sheet->confirmButton() : sheet->cancelButton());
        EXPECT_EQ(screen.stack->presentedViewController(), nullptr);
        EXPECT_EQ(sheet->view()->window(), nullptr);
    }
    EXPECT_EQ(results, (std::vector{SLComposeViewControllerResultCancelled, SLComposeViewControllerResultDone}));
}

TEST(ShareSheet, DrawsARoundedCardOverTheDimmedPageWithItsButtonsInTheTint) {
    ScreenWithPage screen;
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    screen.page->presentViewController(sheet, true, nullptr);
    Ref<CGImage> picture = viewpicture::draw(screen.window, 2);
    using viewpicture::Pixel;
    EXPECT_EQ(picture->pixel(8, 400), (Pixel{153, 153, 153, 255})) << "white under black at 0.4";
    EXPECT_EQ(picture->pixel(16, 148), (Pixel{153, 153, 153, 255})) << "outside the rounded corner";
    EXPECT_EQ(picture->pixel(320, 400), (Pixel{250, 250, 250, 255})) << "the card";
    EXPECT_EQ(picture->pixel(320, 235)[0], 200) << "the hairline under the bar";
    EXPECT_GT(viewpicture::count(picture, 16, 148, 120, 88, [](Pixel p) { return p[2] > 200 && p[0] < 150; }), 100)
        << "Cancel in the tint blue";
}

TEST(MailComposer, ABarFieldLinesAndBodyAndButtonsThatTellTheDelegate) {
    ScreenWithPage screen;
    auto composer = make<MFMailComposeViewController>();
    auto delegate = make<MailDelegateProbe>();
    composer->setMailComposeDelegate(delegate);
    composer->setToRecipients({"ana@example.org", "bo@example.org"});
    screen.page->presentViewController(composer, true, nullptr);
    screen.window->layoutIfNeeded();
    composer->setSubject("Hello");  // after it was laid out: shown at the next layout
    composer->setMessageBody("Dear all", false);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(screen.window->hitTest(CGPointMake(30, 42), nullptr), composer->cancelButton());
    EXPECT_EQ(screen.window->hitTest(CGPointMake(290, 42), nullptr), composer->confirmButton());
    EXPECT_TRUE(labelShowing(composer->view(), "Hello")) << "the subject as the bar's title";
    const char* names[] = {"To:", "Cc/Bcc:", "Subject:"};
    for (int i = 0; i < 3; ++i) {
        UILabel* name = labelShowing(composer->view(), names[i]);
        EXPECT_TRUE(inWindow(name).origin == CGPointMake(15, 64 + 44 * i)) << names[i];
        EXPECT_TRUE(name && name->textColor()->_isSimilarToColor(UIColor::colorWithRed(0.557, 0.557, 0.576, 1), 0.002));
    }
    UILabel* to = labelShowing(composer->view(), " ana@example.org, bo@example.org");
    EXPECT_EQ(inWindow(to).origin.x, CGRectGetMaxX(inWindow(labelShowing(composer->view(), "To:"))));
    EXPECT_TRUE(inWindow(labelShowing(composer->view(), "Dear all")) == CGRectMake(15, 208, 290, 568 - 196 - 24));
    tap(composer->cancelButton());
    tap(composer->confirmButton());
    EXPECT_EQ(delegate->results, (std::vector<int>{MFMailComposeResultCancelled, MFMailComposeResultSent}));
}

TEST(MailComposer, DrawsAWhitePageUnderAGreyBarWithAHairlineUnderEachField) {
    ScreenWithPage screen;
    screen.page->view()->setBackgroundColor(UIColor::redColor());
    auto composer = make<MFMailComposeViewController>();
    screen.page->presentViewController(composer, true, nullptr);
    Ref<CGImage> picture = viewpicture::draw(screen.window, 2);
    using viewpicture::Pixel;
    EXPECT_EQ(picture->pixel(320, 100), (Pixel{248, 248, 248, 255})) << "the bar";
    EXPECT_EQ(picture->pixel(320, 600), (Pixel{255, 255, 255, 255})) << "the page covers what it was presented over";
    EXPECT_EQ(picture->pixel(320, 127)[0], 200) << "the bar's hairline";
    EXPECT_EQ(picture->pixel(320, 215)[0], 200) << "under To";
    EXPECT_EQ(picture->pixel(20, 215)[0], 255) << "lines start at the margin";
}
