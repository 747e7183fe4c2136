#pragma once
// A table row's view: a content view holding an image, a title and a detail text, made on first use.

#include <string>

#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIView.h"

enum UITableViewCellStyle : NSInteger {
    UITableViewCellStyleDefault = 0,
    UITableViewCellStyleValue1 = 1,
    UITableViewCellStyleValue2 = 2,
    UITableViewCellStyleSubtitle = 3,
};

enum UITableViewCellAccessoryType : NSInteger {
    UITableViewCellAccessoryNone = 0,
    UITableViewCellAccessoryDisclosureIndicator = 1,
    UITableViewCellAccessoryCheckmark = 3,
};

class UITableViewCell : public UIView {
    OBJC_INTERFACE(UITableViewCell, UIView)

public:
    UITableViewCell() : UIView(CGRectMake(0, 0, 320, 44)) {}
    // The designated initialiser; also registered by name, so a cell created from its class name
    // runs a subclass's override. Returns the cell, or nil when it cannot be initialised.
    virtual UITableViewCell* initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier);

    UITableViewCellStyle style() const { return style_; }
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    UIView* contentView();
    UILabel* textLabel();
    UILabel* detailTextLabel();
    UIImageView* imageView();
    UITableViewCellAccessoryType accessoryType() const { return accessory_; }
    void setAccessoryType(UITableViewCellAccessoryType type) { accessory_ = type; }

    // Fits the content view to the cell, the image at the left, and the texts beside it.
    void layoutSubviews() override;

private:
    UITableViewCellStyle style_ = UITableViewCellStyleDefault;
    std::string reuseIdentifier_;
    Ref<UIView> contentView_;
    Ref<UILabel> textLabel_, detailTextLabel_;
    Ref<UIImageView> imageView_;
    UITableViewCellAccessoryType accessory_ = UITableViewCellAccessoryNone;
};
