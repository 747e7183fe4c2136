#pragma once
// The share sheet of a social service: a card near the top of the screen, over the page dimmed
// behind it, with Cancel, the service's name and Post above the text and the characters left of
// the service's 140.

#include <functional>
#include <string>

#include "UIKit/UISheetBar.h"
#include "UIKit/UIViewController.h"

inline constexpr const char* SLServiceTypeTwitter = "com.apple.social.twitter";

enum SLComposeViewControllerResult : NSInteger {
    SLComposeViewControllerResultCancelled = 0,
    SLComposeViewControllerResultDone = 1,
};
using SLComposeViewControllerCompletionHandler = std::function<void(SLComposeViewControllerResult)>;

class SLComposeViewController : public UIViewController {
    OBJC_INTERFACE(SLComposeViewController, UIViewController)

public:
    SLComposeViewController() = default;
    static Ref<SLComposeViewController> composeViewControllerForServiceType(const std::string& serviceType);

    const std::string& serviceType() const { return serviceType_; }
    const std::string& initialText() const { return initialText_; }
    bool setInitialText(std::string text);
    // Told how the user finished, after the sheet has dismissed itself.
    void setCompletionHandler(SLComposeViewControllerCompletionHandler handler) { completion_ = std::move(handler); }

    // The sheet's own buttons, for a simulated finger; nil until the view loads. Either dismisses.
    UIButton* cancelButton() const;
    UIButton* confirmButton() const;

    // What the buttons do: the sheet dismisses itself, then tells the completion handler.
    void finish(SLComposeViewControllerResult result);

    void loadView() override;
    void viewWillLayoutSubviews() override;

private:
    std::string serviceType_;
    std::string initialText_;
    SLComposeViewControllerCompletionHandler completion_;
    Ref<UIView> dimming_, card_;
    Ref<UISheetBar> bar_;
    Ref<UILabel> text_, counter_;
};
