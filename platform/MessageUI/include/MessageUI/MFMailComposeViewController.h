#pragma once
// The mail composer: a white page under a bar of Cancel, the subject and Send, the To, Cc/Bcc and
// Subject lines, then the body. A device can send mail when it has a mail account: the device file
// "/var/mobile/Library/Mail/Accounts.plist" holding a non-empty "Accounts" array.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "UIKit/UISheetBar.h"
#include "UIKit/UIViewController.h"

enum MFMailComposeResult : int {
    MFMailComposeResultCancelled = 0,
    MFMailComposeResultSaved = 1,
    MFMailComposeResultSent = 2,
    MFMailComposeResultFailed = 3,
};

class MFMailComposeViewController : public UIViewController {
    OBJC_INTERFACE(MFMailComposeViewController, UIViewController)

public:
    MFMailComposeViewController() = default;
    static bool canSendMail();
    static constexpr const char* kAccountsFile = "/var/mobile/Library/Mail/Accounts.plist";

    // Simulator only: told every answer canSendMail gives, so a host can say why mail stays shut.
    using CanSendMailObserver = std::function<void(bool canSend)>;
    static void setCanSendMailObserver(CanSendMailObserver observer);

    id mailComposeDelegate() const { return delegate_; }
    void setMailComposeDelegate(id delegate) { delegate_ = delegate; }
    // Each shows at the next layout, also once the view is loaded.
    const std::string& subject() const { return subject_; }
    void setSubject(std::string subject);
    const std::string& messageBody() const { return body_; }
    bool isHTML() const { return isHTML_; }
    void setMessageBody(std::string body, bool isHTML);
    const std::vector<std::string>& toRecipients() const { return recipients_; }
    void setToRecipients(std::vector<std::string> recipients);

    // The user finished: tells the delegate through mailComposeController:didFinishWithResult:error:
    // (sent by name, when the delegate responds to it). The delegate dismisses the composer.
    void finishWithResult(MFMailComposeResult result);

    // The composer's own buttons, for a simulated finger; nil until the view loads. Cancel finishes
    // with MFMailComposeResultCancelled, Send with MFMailComposeResultSent.
    UIButton* cancelButton() const;
    UIButton* confirmButton() const;

    void loadView() override;
    void viewWillLayoutSubviews() override;

private:
    void contentChanged();

    id delegate_ = nullptr;  // not owned
    std::string subject_, body_;
    bool isHTML_ = false;
    std::vector<std::string> recipients_;
    struct Field {
        Ref<UILabel> name, value;
        Ref<UIView> line;
    };
    Ref<UIView> barBackground_;
    Ref<UISheetBar> bar_;
    std::array<Field, 3> fields_;
    Ref<UILabel> bodyLabel_;
};
