#pragma once
// A table row's view: a content view holding an image, a title and a detail text, made on first use,
// and the row's accessory. The cell lays these out in the iOS 7 metrics and draws its own white
// ground, the hairlines of its group and the accessory; the labels and the image draw themselves.

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
    UITableViewCell();
    // The designated initialiser; also registered by name, so a cell created from its class name
    // runs a subclass's override. Returns the cell, or nil when it cannot be initialised.
    virtual UITableViewCell* initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier);

    UITableViewCellStyle style() const { return style_; }
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    UIView* contentView();
    UILabel* textLabel();
    // Grey and right-aligned; shown at its natural width beside the title.
    UILabel* detailTextLabel();
    UIImageView* imageView();
    UITableViewCellAccessoryType accessoryType() const { return accessory_; }
    void setAccessoryType(UITableViewCellAccessoryType type);
    // Where the accessory stands in the cell's bounds: a chevron 8 x 13 or a check 14 x 11 at the
    // right margin, vertically centred; empty for none.
    CGRect accessoryFrame() const;
    // Where the hairline under the row starts: under the texts, so past the icon when there is one.
    CGFloat separatorInset() const;

    // Set by the table: the first row of a group draws the group's top hairline and the last one
    // its bottom hairline across the whole width.
    void setGroupEdges(bool first, bool last);
    bool isFirstInGroup() const { return firstInGroup_; }
    bool isLastInGroup() const { return lastInGroup_; }

    // Fits the content view to the cell, the icon at the left, and the title and the detail text
    // between it and the accessory.
    void layoutSubviews() override;
    // The hairlines and the accessory.
    void drawRect(CGRect rect) override;

protected:
    // Where the texts end at the right: short of the accessory, else at the margin. A cell that
    // shows a control at the right ends them short of it.
    virtual CGFloat textRightEdge();

private:
    bool hasIcon() const;
    void placeTexts(CGFloat left, CGFloat right);

    UITableViewCellStyle style_ = UITableViewCellStyleDefault;
    std::string reuseIdentifier_;
    Ref<UIView> contentView_;
    Ref<UILabel> textLabel_, detailTextLabel_;
    Ref<UIImageView> imageView_;
    UITableViewCellAccessoryType accessory_ = UITableViewCellAccessoryNone;
    bool firstInGroup_ = false, lastInGroup_ = false;
};
