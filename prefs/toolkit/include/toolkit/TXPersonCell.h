#pragma once
// A credits row: a square picture, the person's name large, and a one-line description in small grey
// type. A product declares a subclass per person overriding name, personDescription and imageName;
// the layout is built once, when the cell is made.

#include <string>

#include "Preferences/PSTableCell.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"

class TXPersonCell : public PSTableCell {
    OBJC_INTERFACE(TXPersonCell, PSTableCell)

public:
    TXPersonCell() = default;
    UITableViewCell* initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) override;

    virtual std::string name() const { return ""; }
    virtual std::string personDescription() const { return ""; }
    // The picture's file name among the resources of the bundle that holds the cell's class.
    virtual std::string imageName() const { return ""; }
    virtual std::string twitterHandle() const { return ""; }

    // Loads the picture again; the frame stays.
    void updateImage();
    // The key's text from the bundle of the view holding the cell, or the key itself.
    std::string localizedString(const std::string& key) const;

    UIImageView* background() const { return _background; }
    UILabel* nameLabel() const { return label; }
    UILabel* descriptionLabel() const { return label2; }
    UIButton* button() const { return twitterButton; }

private:
    Ref<UIImage> picture() const;
    Ref<UIImageView> _background;
    Ref<UILabel> label;
    Ref<UILabel> label2;
    Ref<UIButton> twitterButton;  // never assigned by the toolkit
};
