#pragma once
// A ready-made root page: a master switch with a description, links to the product's options and
// makers pages, and a support mail row with a footer. A product subclasses it and overrides the
// accessors below; the table itself is never rewritten.

#include <string>
#include <vector>

#include "toolkit/TXTintedListController.h"

class TXStandardController : public TXTintedListController, public TXIconColorSource {
    OBJC_INTERFACE(TXStandardController, TXTintedListController)

public:
    TXStandardController() = default;

    std::optional<bool> showHeartImage() const override { return true; }
    std::optional<bool> shiftHeartImage() const override { return true; }
    std::optional<bool> tintNavigationTitleText() const override { return false; }

    // What a product names. Every one answers a value, since each goes into the table as it is.
    virtual std::string enabledDescription() const { return "test"; }
    virtual std::string defaultsFileName() const { return ""; }
    virtual std::string postNotification() const { return ""; }
    virtual std::string settingsListControllerClassName() const { return ""; }
    virtual std::string makersListControllerClassName() const { return ""; }
    virtual std::string footerText() const { return ""; }
    virtual std::string emailSubject() const { return ""; }
    virtual std::string emailBody() const { return ""; }
    virtual std::vector<std::string> emailAddresses() const { return {}; }

    // The eight rows, built afresh from the accessors on every call.
    std::optional<Ref<NSArray>> customSpecifiers() const override;
    // The row icons' colour: the navigation tint, else the page tint, else white.
    OptionalColour iconColor() const override;

    // Action of the "SUPPORT" row: a mail composer presented from the pane's root, when the device
    // can send mail at all.
    virtual void showSupportDialog();
    // The composer finished, whatever the outcome: it goes away.
    virtual void mailComposeControllerDidFinish(UIViewController* composer, int result, NSObject* error);
};
