#include "MessageUI/MFMailComposeViewController.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "objc/message.h"

OBJC_IMPLEMENTATION(MFMailComposeViewController,
    objc::method("cancel", [](id self, SEL) {
        static_cast<MFMailComposeViewController*>(self)->finishWithResult(MFMailComposeResultCancelled);
    }),
    objc::method("send", [](id self, SEL) {
        static_cast<MFMailComposeViewController*>(self)->finishWithResult(MFMailComposeResultSent);
    }))

namespace {

MFMailComposeViewController::CanSendMailObserver& canSendMailObserver() {
    static MFMailComposeViewController::CanSendMailObserver observer;
    return observer;
}

}  // namespace

void MFMailComposeViewController::setCanSendMailObserver(CanSendMailObserver observer) {
    canSendMailObserver() = std::move(observer);
}

bool MFMailComposeViewController::canSendMail() {
    auto accounts = NSDictionary::dictionaryWithContentsOfFile(kAccountsFile);
    auto* list = accounts ? objc_cast<NSArray>(accounts->objectForKey("Accounts")) : nullptr;
    const bool canSend = list && list->count() > 0;
    if (const auto& observer = canSendMailObserver()) observer(canSend);
    return canSend;
}

void MFMailComposeViewController::setSubject(std::string subject) {
    subject_ = std::move(subject);
    contentChanged();
}

void MFMailComposeViewController::setMessageBody(std::string body, bool isHTML) {
    body_ = std::move(body);
    isHTML_ = isHTML;
    contentChanged();
}

void MFMailComposeViewController::setToRecipients(std::vector<std::string> recipients) {
    recipients_ = std::move(recipients);
    contentChanged();
}

void MFMailComposeViewController::contentChanged() {
    if (isViewLoaded()) view()->setNeedsLayout();
}

void MFMailComposeViewController::finishWithResult(MFMailComposeResult result) {
    SEL finished = SELECTOR("mailComposeController:didFinishWithResult:error:");
    Ref<MFMailComposeViewController> keep = this;  // the delegate usually dismisses and releases us
    if (delegate_ && delegate_->respondsToSelector(finished))
        objc_msgSend<void(id, int, id)>(delegate_, finished, static_cast<id>(this), static_cast<int>(result),
                                        static_cast<id>(nullptr));
}
