#pragma once
// The settings page: every value the hook library reads, as switches and colour lists that store
// into the "com.qelmor.corvane" domain and post the restart notification on every change.

#include "toolkit/TXTintedListController.h"

class CVSettingsListController : public TXTintedListController {
    OBJC_INTERFACE(CVSettingsListController, TXTintedListController)

public:
    CVSettingsListController() = default;

    static constexpr const char* kPreferenceDomain = "com.qelmor.corvane";

    std::optional<std::string> customTitle() const override { return ""; }
    std::optional<std::string> headerText() const override { return "Corvane"; }
    std::optional<std::string> headerSubText() const override { return "Settings"; }
    OptionalColour navigationTintColor() const override { return Ref<UIColor>(UIColor::darkGrayColor()); }
    OptionalColour headerColor() const override { return Ref<UIColor>(UIColor::grayColor()); }
    // Switches take the page's two greys: dark when on, the header's grey as outline.
    OptionalColour switchOnTintColor() const override { return navigationTintColor(); }
    OptionalColour switchTintColor() const override { return headerColor(); }
    std::optional<bool> showHeartImage() const override { return false; }
    std::optional<Ref<NSArray>> customSpecifiers() const override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
};
