#pragma once
// The framework's cells. A cell shows its row: the title, the icon, a choice row's current title,
// a link's disclosure, a list item's check, a switch's state.

#include "Preferences/PSSpecifier.h"
#include "UIKit/UISwitch.h"
#include "UIKit/UITableView.h"

class PSTableCell : public UITableViewCell {
    OBJC_INTERFACE(PSTableCell, UITableViewCell)

public:
    PSTableCell() = default;

    UILabel* titleTextLabel() { return textLabel(); }
    UILabel* titleLabel() { return textLabel(); }
    PSSpecifier* specifier() const { return specifier_; }
    void setSpecifier(PSSpecifier* specifier) { specifier_ = specifier; }
    // Shows the row's current contents; the framework calls it when the cell is made and whenever
    // the page is shown again.
    virtual void refreshCellContentsWithSpecifier(PSSpecifier* specifier);
    // The text a choice row shows for its value ("" for other rows).
    const std::string& valueText() { return detailTextLabel()->text(); }
    bool isChecked() const { return accessoryType() == UITableViewCellAccessoryCheckmark; }
    void setChecked(bool checked) { setAccessoryType(checked ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone); }
    // The row's "leftImage" and "rightImage", shown at either end of its control (a slider's ends).
    UIImage* leftImage() const { return leftImage_; }
    UIImage* rightImage() const { return rightImage_; }

private:
    Ref<PSSpecifier> specifier_;
    Ref<UIImage> leftImage_;
    Ref<UIImage> rightImage_;
};

class PSControlTableCell : public PSTableCell {
    OBJC_INTERFACE(PSControlTableCell, PSTableCell)

public:
    PSControlTableCell() = default;
    UIControl* control() const { return control_; }
    void setControl(UIControl* control);
    // The value the control holds, as the row stores it.
    virtual Ref<NSObject> controlValue() const { return nullptr; }

private:
    Ref<UIControl> control_;
};

class PSSwitchTableCell : public PSControlTableCell {
    OBJC_INTERFACE(PSSwitchTableCell, PSControlTableCell)

public:
    PSSwitchTableCell() = default;
    UITableViewCell* initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) override;
    void refreshCellContentsWithSpecifier(PSSpecifier* specifier) override;
    Ref<NSObject> controlValue() const override;
    UISwitch* switchControl() const { return objc_cast<UISwitch>(control()); }
    // The switch was flipped: store the new state through the row's setter.
    void controlChanged();
    // The switch stands at the right margin, vertically centred; the title ends short of it.
    void layoutSubviews() override;

protected:
    CGFloat textRightEdge() override;

private:
    CGRect switchFrame() const;
};
