#include "toolkit/TXStandardController.h"

#include "Foundation/NSNumber.h"
#include "MessageUI/MFMailComposeViewController.h"

OBJC_IMPLEMENTATION(TXStandardController,
    objc::method("showSupportDialog", [](id self, SEL) { static_cast<TXStandardController*>(self)->showSupportDialog(); }),
    objc::method("mailComposeController:didFinishWithResult:error:", [](id self, SEL, id composer, int result, id error) {
        static_cast<TXStandardController*>(self)->mailComposeControllerDidFinish(objc_cast<UIViewController>(composer),
                                                                                 result, error);
    }))

namespace {

using Entry = std::pair<std::string, Ref<NSObject>>;

Ref<NSObject> text(const std::string& s) { return NSString::string(s); }

Ref<NSObject> row(std::initializer_list<Entry> entries) { return NSDictionary::dictionaryWithObjectsAndKeys(entries); }

Ref<NSObject> group() { return row({{"cell", text("PSGroupCell")}}); }

Ref<NSObject> groupWithFooter(const std::string& footer) {
    return row({{"cell", text("PSGroupCell")}, {"footerText", text(footer)}});
}

Ref<NSObject> link(const char* label, const char* icon, Entry target) {
    return row({{"cell", text("PSLinkCell")}, {"label", text(label)}, std::move(target), {"icon", text(icon)},
                {"cellClass", text("TXTintedCell")}});
}

}  // namespace

std::optional<Ref<NSArray>> TXStandardController::customSpecifiers() const {
    return NSArray::arrayWithObjects({
        groupWithFooter(enabledDescription()),
        row({{"cell", text("PSSwitchCell")},
             {"label", text("ENABLED")},
             {"key", text("enabled")},
             {"default", NSNumber::numberWithBool(true)},
             {"defaults", text(defaultsFileName())},
             {"PostNotification", text(postNotification())},
             {"icon", text("enabled.png")},
             {"cellClass", text("TXTintedSwitchCell")}}),
        group(),
        link("OPTIONS", "settings.png", {"detail", text(settingsListControllerClassName())}),
        group(),
        link("MAKERS", "makers.png", {"detail", text(makersListControllerClassName())}),
        groupWithFooter(footerText()),
        link("SUPPORT", "support.png", {"action", text("showSupportDialog")}),
    });
}

OptionalColour TXStandardController::iconColor() const {
    if (auto colour = firstImplemented({navigationTintColor(), tintColor()})) return colour;
    return Ref<UIColor>(UIColor::whiteColor());
}

void TXStandardController::showSupportDialog() {
    if (!MFMailComposeViewController::canSendMail()) return;
    auto composer = make<MFMailComposeViewController>();
    composer->setMailComposeDelegate(this);
    composer->setSubject(localizedString(emailSubject()));
    composer->setMessageBody(localizedString(emailBody()), false);
    composer->setToRecipients(emailAddresses());
    if (UIViewController* root = rootController()) root->presentViewController(composer, true, nullptr);
}

void TXStandardController::mailComposeControllerDidFinish(UIViewController*, int, NSObject*) {
    dismissViewControllerAnimated(true, nullptr);
}
