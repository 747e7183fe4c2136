#pragma once
// The pane's root page: the product header, links to the settings and credits pages, a support
// mail row and the version footer. While its view is loaded it keeps the restart observer.

#include "MessageUI/MFMailComposeViewController.h"
#include "toolkit/TXTintedListController.h"

class CorvaneListController : public TXTintedListController, public TXIconColorSource {
    OBJC_INTERFACE(CorvaneListController, TXTintedListController)

public:
    CorvaneListController() = default;

    static constexpr const char* kSupportAddress = "support@qelmor.com";
    static constexpr const char* kSupportSubject = "Corvane Support v1.4-3";
    static constexpr const char* kVersionFooter = "\u00A9 2026 Brannoc Vesk\nCorvane v1.4-3\n";

    std::optional<std::string> headerText() const override { return "Corvane"; }
    std::optional<std::string> headerSubText() const override { return "By Brannoc Vesk"; }
    std::optional<std::string> customTitle() const override { return ""; }
    std::optional<std::string> shareMessage() const override { return "I'm using #Corvane by @BrannocVesk5!"; }
    OptionalColour navigationTintColor() const override { return Ref<UIColor>(UIColor::darkGrayColor()); }
    OptionalColour headerColor() const override { return Ref<UIColor>(UIColor::grayColor()); }
    // Icons follow the navigation tint, also a subclass's.
    OptionalColour iconColor() const override { return navigationTintColor(); }
    std::optional<Ref<NSArray>> customSpecifiers() const override;

    // The Support row: a mail to the developer, when the device has a mail account.
    virtual void showSupportDialog();
    // The composer finished, however: it is dismissed.
    virtual void mailComposeControllerDidFinish(MFMailComposeViewController* controller, MFMailComposeResult result,
                                                id error);

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
};
