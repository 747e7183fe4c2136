#pragma once
// The share sheet of a social service.

#include <string>

#include "UIKit/UIViewController.h"

inline constexpr const char* SLServiceTypeTwitter = "com.apple.social.twitter";

class SLComposeViewController : public UIViewController {
    OBJC_INTERFACE(SLComposeViewController, UIViewController)

public:
    SLComposeViewController() = default;
    static Ref<SLComposeViewController> composeViewControllerForServiceType(const std::string& serviceType);

    const std::string& serviceType() const { return serviceType_; }
    const std::string& initialText() const { return initialText_; }
    bool setInitialText(std::string text) {
        initialText_ = std::move(text);
        return true;
    }

private:
    std::string serviceType_;
    std::string initialText_;
};
