#pragma once
// The choice-list page of the toolkit: the framework's list of choices, with the page tints of the
// toolkit applied while it is shown and removed when it goes. A product that wants tinted choice
// lists subclasses it and implements the tint accessors; this class implements none.

#include "Preferences/PSListController.h"
#include "toolkit/TXListControllerProtocol.h"

class TXListItemsController : public PSListItemsController, public TXListControllerProtocol {
    OBJC_INTERFACE(TXListItemsController, PSListItemsController)

public:
    TXListItemsController() = default;

    // Tints first, then the framework's own appearance.
    void viewWillAppear(bool animated) override;
    // The framework's own disappearance first, then the tints are cleared.
    void viewWillDisappear(bool animated) override;

    // The accessors a subclass implements answer respondsToSelector: too.
    bool respondsToSelector(SEL sel) const override;
};
