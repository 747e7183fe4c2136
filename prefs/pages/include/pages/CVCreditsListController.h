#pragma once
// The credits page: the three makers, each in a tall row; a tap opens that person's microblogging
// profile in the best installed client.

#include "toolkit/TXPersonCell.h"
#include "toolkit/TXTintedListController.h"

class CVCreditsListController : public TXTintedListController {
    OBJC_INTERFACE(CVCreditsListController, TXTintedListController)

public:
    CVCreditsListController() = default;

    std::optional<bool> showHeartImage() const override { return false; }
    std::optional<std::string> headerText() const override { return "Corvane"; }
    std::optional<std::string> headerSubText() const override { return "Credits"; }
    std::optional<std::string> customTitle() const override { return ""; }
    OptionalColour headerColor() const override { return Ref<UIColor>(UIColor::grayColor()); }
    OptionalColour navigationTintColor() const override { return Ref<UIColor>(UIColor::darkGrayColor()); }
    std::optional<Ref<NSArray>> customSpecifiers() const override;

    // Row actions, sent by name.
    void openBrannocTwitter();
    void openQuillexTwitter();
    void openPeloTwitter();

    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
};

class CVBrannocPersonCell : public TXPersonCell {
    OBJC_INTERFACE(CVBrannocPersonCell, TXPersonCell)

public:
    CVBrannocPersonCell() = default;
    std::string name() const override { return "Brannoc Vesk"; }
    std::string personDescription() const override { return "The Developer"; }
    std::string imageName() const override { return "brannoc.png"; }
};

class CVQuillexPersonCell : public TXPersonCell {
    OBJC_INTERFACE(CVQuillexPersonCell, TXPersonCell)

public:
    CVQuillexPersonCell() = default;
    std::string name() const override { return "Quillex"; }
    std::string personDescription() const override { return "Co-Developer"; }
    std::string imageName() const override { return "quillex.png"; }
};

class CVPeloPersonCell : public TXPersonCell {
    OBJC_INTERFACE(CVPeloPersonCell, TXPersonCell)

public:
    CVPeloPersonCell() = default;
    std::string name() const override { return "Pelorwin"; }
    std::string personDescription() const override { return "Co-Developer"; }
    std::string imageName() const override { return "pelo.png"; }
};
