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

namespace {

// The label of `root`'s tree that shows `text`, or nil.
UILabel* labelShowing(UIView* root, const std::string& text) {
    if (auto* label = objc_cast<UILabel>(root); label && label->text() == text) return label;
    for (const auto& child : root->subviews())
        if (UILabel* found = labelShowing(child, text)) return found;
    return nullptr;
}

// Where `view` stands in the window.
CGRect inWindow(const UIView* view) { return view->convertRect(view->bounds(), view->window()); }

void tap(UIControl* control) { control->sendActionsForControlEvents(UIControlEventTouchUpInside); }

}  // namespace

TEST(ShareSheet, ACardUnderTheStatusBarWithItsBarTextAndCountdown) {
    ScreenWithPage screen;
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    sheet->setInitialText("Tea");
    screen.page->presentViewController(sheet, true, nullptr);
    screen.window->layoutIfNeeded();
    UIWindow* window = screen.window;
    EXPECT_EQ(window->hitTest(CGPointMake(40, 96), nullptr), sheet->cancelButton());
    EXPECT_EQ(window->hitTest(CGPointMake(290, 96), nullptr), sheet->confirmButton());
    EXPECT_EQ(sheet->confirmButton()->titleForState(UIControlStateNormal), "Post");
    EXPECT_EQ(CGRectGetMaxX(inWindow(sheet->confirmButton())), 312) << "at the card's right edge";
    EXPECT_TRUE(inWindow(sheet->cancelButton()) == CGRectMake(8, 74, sheet->cancelButton()->frame().size.width, 44));

    UILabel* title = labelShowing(sheet->view(), "Twitter");
    ASSERT_TRUE(title);
    EXPECT_EQ(inWindow(title).origin.x, CGRectGetMaxX(inWindow(sheet->cancelButton())));
    UILabel* text = labelShowing(sheet->view(), "Tea");
    ASSERT_TRUE(text);
    EXPECT_TRUE(inWindow(text) == CGRectMake(20, 128, 280, 122));
    EXPECT_EQ(text->numberOfLines(), 0);
    UILabel* counter = labelShowing(sheet->view(), "137");
    ASSERT_TRUE(counter);
    EXPECT_TRUE(inWindow(counter) == CGRectMake(20, 252, 280, 20));
    EXPECT_EQ(counter->textAlignment(), NSTextAlignmentRight);
}

TEST(ShareSheet, CountsDownCharactersNotBytesAndShowsTextSetAfterItLoaded) {
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    sheet->view()->layoutIfNeeded();
    EXPECT_TRUE(labelShowing(sheet->view(), "140"));
    sheet->setInitialText("Caf\u00e9 \u00fcber \u2764");  // 11 characters in 15 bytes
    sheet->view()->layoutIfNeeded();
    EXPECT_TRUE(labelShowing(sheet->view(), "129"));
    EXPECT_TRUE(labelShowing(sheet->view(), "Caf\u00e9 \u00fcber \u2764"));
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
    const int blue = viewpicture::count(picture, 16, 148, 120, 88, [](Pixel p) { return p[2] > 200 && p[0] < 150; });
    EXPECT_GT(blue, 100) << "Cancel in the tint blue";
}

TEST(MailComposer, ABarUnderTheStatusBarThenOneLinePerFieldThenTheBody) {
    ScreenWithPage screen;
    auto composer = make<MFMailComposeViewController>();
    composer->setToRecipients({"ana@example.org", "bo@example.org"});
    screen.page->presentViewController(composer, true, nullptr);
    screen.window->layoutIfNeeded();
    composer->setSubject("Hello");  // after it was laid out: shown at the next layout
    composer->setMessageBody("Dear all", false);
    screen.window->layoutIfNeeded();
    UIWindow* window = screen.window;
    EXPECT_EQ(window->hitTest(CGPointMake(30, 42), nullptr), composer->cancelButton());
    EXPECT_EQ(window->hitTest(CGPointMake(290, 42), nullptr), composer->confirmButton());
    EXPECT_EQ(composer->confirmButton()->titleForState(UIControlStateNormal), "Send");
    EXPECT_EQ(CGRectGetMaxY(inWindow(composer->confirmButton())), 64);
    EXPECT_TRUE(labelShowing(composer->view(), "Hello")) << "the subject as the bar's title";

    const char* names[] = {"To:", "Cc/Bcc:", "Subject:"};
    for (int i = 0; i < 3; ++i) {
        UILabel* name = labelShowing(composer->view(), names[i]);
        ASSERT_TRUE(name) << names[i];
        EXPECT_TRUE(inWindow(name).origin == CGPointMake(15, 64 + 44 * i)) << names[i];
        EXPECT_EQ(inWindow(name).size.height, 44);
        EXPECT_TRUE(name->textColor()->_isSimilarToColor(UIColor::colorWithRed(0.557, 0.557, 0.576, 1), 0.002))
            << names[i] << " in grey";
    }
    UILabel* to = labelShowing(composer->view(), " ana@example.org, bo@example.org");
    ASSERT_TRUE(to);
    EXPECT_EQ(inWindow(to).origin.x, CGRectGetMaxX(inWindow(labelShowing(composer->view(), "To:"))));
    EXPECT_EQ(to->textColor(), UIColor::blackColor());
    UILabel* body = labelShowing(composer->view(), "Dear all");
    ASSERT_TRUE(body);
    EXPECT_TRUE(inWindow(body) == CGRectMake(15, 208, 290, 568 - 196 - 24));
}

TEST(MailComposer, CancelAndSendTellTheDelegate) {
    auto delegate = make<MailDelegateProbe>();
    auto composer = make<MFMailComposeViewController>();
    composer->setMailComposeDelegate(delegate);
    EXPECT_EQ(composer->cancelButton(), nullptr) << "before the view loads";
    composer->view();
    tap(composer->cancelButton());
    tap(composer->confirmButton());
    EXPECT_EQ(delegate->results, (std::vector<int>{MFMailComposeResultCancelled, MFMailComposeResultSent}));
}

TEST(MailComposer, DrawsAWhitePageUnderAGreyBarWithAHairlineUnderEachField) {
    ScreenWithPage screen;
    screen.page->view()->setBackgroundColor(UIColor::redColor());
    auto composer = make<MFMailComposeViewController>();
    composer->setToRecipients({"ana@example.org"});
    composer->setSubject("Hello there");
    composer->setMessageBody("A body long enough to wrap onto a second line of the composer, and then a third one too.", false);
    screen.page->presentViewController(composer, true, nullptr);
    Ref<CGImage> picture = viewpicture::draw(screen.window, 2);
    using viewpicture::Pixel;
    EXPECT_EQ(picture->pixel(320, 100), (Pixel{248, 248, 248, 255})) << "the bar";
    EXPECT_EQ(picture->pixel(320, 600), (Pixel{255, 255, 255, 255})) << "the page covers what it was presented over";
    EXPECT_EQ(picture->pixel(320, 127)[0], 200) << "the bar's hairline";
    EXPECT_EQ(picture->pixel(320, 215)[0], 200) << "under To";
    EXPECT_EQ(picture->pixel(20, 215)[0], 255) << "lines start at the margin";
}
