#include "Preferences/PSTableCell.h"

#include <algorithm>

#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "UIKit/UIImage.h"

OBJC_IMPLEMENTATION(PSTableCell,
    objc::method("layoutSubviews", [](id self, SEL) { static_cast<PSTableCell*>(self)->layoutSubviews(); }),
    objc::method("refreshCellContentsWithSpecifier:", [](id self, SEL, id specifier) {
        static_cast<PSTableCell*>(self)->refreshCellContentsWithSpecifier(objc_cast<PSSpecifier>(specifier));
    }))
OBJC_IMPLEMENTATION(PSControlTableCell)
OBJC_IMPLEMENTATION(PSSwitchTableCell,
    objc::method("controlChanged:", [](id self, SEL, id) { static_cast<PSSwitchTableCell*>(self)->controlChanged(); }))

namespace {
constexpr CGFloat kMargin = 15;  // the row's right margin
constexpr CGFloat kGap = 8;      // between the title and the switch
}  // namespace

void PSTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    setSpecifier(specifier);
    if (!specifier) return;
    titleTextLabel()->setText(specifier->name() ? specifier->name()->str() : "");
    if (auto* icon = objc_cast<UIImage>(specifier->propertyForKey("iconImage"))) imageView()->setImage(icon);
    leftImage_ = objc_cast<UIImage>(specifier->propertyForKey("leftImage"));
    rightImage_ = objc_cast<UIImage>(specifier->propertyForKey("rightImage"));
    const PSCellType type = specifier->cellType();
    if (type == PSLinkListCell) {
        Ref<NSObject> value = specifier->performGetter();
        NSString* title = specifier->titleForValue(value);
        detailTextLabel()->setText(title ? title->str() : "");
    }
    // A link leads on, and its row says so, whatever else a cell of the product's shows in it.
    if (type == PSLinkCell || type == PSLinkListCell) setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
}

void PSControlTableCell::setControl(UIControl* control) {
    if (control_) control_->removeFromSuperview();
    control_ = control;
    if (control_) contentView()->addSubview(control_);
}

UITableViewCell* PSSwitchTableCell::initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) {
    if (!PSControlTableCell::initWithStyle(style, reuseIdentifier)) return nullptr;
    auto toggle = make<UISwitch>();
    toggle->addTarget(this, SELECTOR("controlChanged:"), UIControlEventValueChanged);
    setControl(toggle);
    return this;
}

void PSSwitchTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    PSControlTableCell::refreshCellContentsWithSpecifier(specifier);
    if (!specifier || !switchControl()) return;
    Ref<NSObject> value = specifier->performGetter();
    // A value stored by hand may be a string ("YES"); it reads as the platform reads it.
    auto* number = objc_cast<NSNumber>(value.get());
    auto* text = objc_cast<NSString>(value.get());
    switchControl()->setOn(number ? number->boolValue() : text && text->boolValue());
}

CGRect PSSwitchTableCell::switchFrame() const {
    const CGSize cell = bounds().size;
    const CGSize size = switchControl()->frame().size;
    return CGRectMake(cell.width - kMargin - size.width, (cell.height - size.height) / 2, size.width, size.height);
}

void PSSwitchTableCell::layoutSubviews() {
    PSControlTableCell::layoutSubviews();
    if (switchControl()) switchControl()->setFrame(switchFrame());
}

CGFloat PSSwitchTableCell::textRightEdge() {
    return switchControl() ? switchFrame().origin.x - kGap : PSControlTableCell::textRightEdge();
}

Ref<NSObject> PSSwitchTableCell::controlValue() const {
    return switchControl() ? NSNumber::numberWithBool(switchControl()->isOn()) : nullptr;
}

void PSSwitchTableCell::controlChanged() {
    if (PSSpecifier* row = specifier()) row->performSetter(controlValue());
}
