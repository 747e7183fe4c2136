#include "pages/CorvaneListController.h"

#include "objc/message.h"
#include "pages/PageTitles.h"
#include "pages/RestartObserver.h"
#include "pages/RowValues.h"

OBJC_IMPLEMENTATION(CorvaneListController,
    objc::method("showSupportDialog", [](id self, SEL) { static_cast<CorvaneListController*>(self)->showSupportDialog(); }),
    objc::method("mailComposeController:didFinishWithResult:error:", [](id self, SEL, id controller, int result, id error) {
        static_cast<CorvaneListController*>(self)->mailComposeControllerDidFinish(
            objc_cast<MFMailComposeViewController>(controller), static_cast<MFMailComposeResult>(result), error);
    }))

std::optional<Ref<NSArray>> CorvaneListController::customSpecifiers() const {
    using namespace rows;
    return NSArray::arrayWithObjects({
        untitledGroup(),
        row({{"cell", text("PSLinkListCell")}, {"label", text("Settings")}, {"detail", text("CVSettingsListController")},
             {"icon", text("settings.png")}}),
        row({{"cell", text("PSGroupCell")}, {"footerText", text(kVersionFooter)}}),
        row({{"cell", text("PSLinkListCell")}, {"label", text("Credits")}, {"detail", text("CVCreditsListController")},
             {"icon", text("makers.png")}}),
        row({{"cell", text("PSLinkCell")}, {"label", text("Support")}, {"icon", text("support.png")},
             {"action", text("showSupportDialog")}}),
    });
}

void CorvaneListController::showSupportDialog() {
    if (!MFMailComposeViewController::canSendMail()) return;
    auto composer = make<MFMailComposeViewController>();
    composer->setMailComposeDelegate(this);
    composer->setSubject(kSupportSubject);
    composer->setMessageBody("", false);
    composer->setToRecipients({kSupportAddress});
    // A page outside any navigation stack has nothing to present from.
    if (UIViewController* root = rootController()) root->presentViewController(composer, true, nullptr);
}

void CorvaneListController::mailComposeControllerDidFinish(MFMailComposeViewController*, MFMailComposeResult, id) {
    dismissViewControllerAnimated(true, nullptr);
}

void CorvaneListController::loadView() {
    TXTintedListController::loadView();
    registerRestartObserver();
}

void CorvaneListController::viewWillAppear(bool animated) {
    TXTintedListController::viewWillAppear(animated);
    setTitle(kShownPageTitle);
}

void CorvaneListController::viewWillDisappear(bool animated) {
    TXTintedListController::viewWillDisappear(animated);
    setTitle(kCoveredPageTitle);
}

void CorvaneListController::viewDidDisappear(bool animated) {
    TXTintedListController::viewDidDisappear(animated);
    removeRestartObserver();
}
