#include "MessageUI/MFMailComposeViewController.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "objc/message.h"

OBJC_IMPLEMENTATION(MFMailComposeViewController)

bool MFMailComposeViewController::canSendMail() {
    auto accounts = NSDictionary::dictionaryWithContentsOfFile("/var/mobile/Library/Mail/Accounts.plist");
    auto* list = accounts ? objc_cast<NSArray>(accounts->objectForKey("Accounts")) : nullptr;
    return list && list->count() > 0;
}

void MFMailComposeViewController::finishWithResult(MFMailComposeResult result) {
    SEL finished = SELECTOR("mailComposeController:didFinishWithResult:error:");
    Ref<MFMailComposeViewController> keep = this;  // the delegate usually dismisses and releases us
    if (delegate_ && delegate_->respondsToSelector(finished))
        objc_msgSend<void(id, int, id)>(delegate_, finished, static_cast<id>(this), static_cast<int>(result),
                                        static_cast<id>(nullptr));
}
