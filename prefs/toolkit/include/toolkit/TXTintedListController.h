#pragma once
// The base of every page of the pane: rows built once from the page's table (or specifier list),
// localised through the page's bundle; a heart button that opens a share sheet; a header; and tints
// for the view, the navigation bar, its title and the page's switches while the page is shown.

#include <string>

#include "Preferences/PSListController.h"
#include "toolkit/TXListControllerProtocol.h"

class TXTintedListController : public PSListController, public TXListControllerProtocol {
    OBJC_INTERFACE(TXTintedListController, PSListController)

public:
    TXTintedListController() = default;

    NSArray* specifiers() override;
    std::string navigationTitle() override;
    // Localises names, group footers and choice titles in place; returns the same array.
    NSArray* localizedSpecifiersWithSpecifiers(NSArray* specifiers);
    // The key's text in the page's bundle, or the key itself.
    std::string localizedString(const std::string& key);
    void loadView() override;
    virtual void heartWasTouched();
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    virtual void setupHeader();

    std::optional<bool> showHeartImage() const override { return true; }
    std::optional<bool> shiftHeartImage() const override { return true; }
    OptionalColour heartImageColor() const override;

    // The accessors a page implements answer respondsToSelector: too.
    bool respondsToSelector(SEL sel) const override;

    static constexpr const char* kDefaultShareMessage =
        "Someone needs to change their [TXTintedListController shareMessage]!";
    // The platform's default tint blue, the heart's last fallback.
    // The system tint, which a view outside any window has.
    static Ref<UIColor> defaultTintBlue();

private:
    void installHeartButton();
    void applySwitchTints();
};
