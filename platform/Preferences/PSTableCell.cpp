#include "Preferences/PSTableCell.h"

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

void PSTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    setSpecifier(specifier);
    if (!specifier) return;
    titleTextLabel()->setText(specifier->name() ? specifier->name()->str() : "");
    if (auto* icon = objc_cast<UIImage>(specifier->propertyForKey("iconImage"))) imageView()->setImage(icon);
    leftImage_ = objc_cast<UIImage>(specifier->propertyForKey("leftImage"));
    rightImage_ = objc_cast<UIImage>(specifier->propertyForKey("rightImage"));
    switch (specifier->cellType()) {
        case PSLinkListCell: {
            Ref<NSObject> value = specifier->performGetter();
            NSString* title = specifier->titleForValue(value);
            detailTextLabel()->setText(title ? title->str() : "");
            setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
            break;
        }
        case PSLinkCell:
            if (specifier->detailControllerClass()) setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
            break;
        default:
            break;
    }
}

void PSControlTableCell::setControl(UIControl* control) {
    if (control_) control_->removeFromSuperview();
    control_ = control;
    if (control_) contentView()->addSubview(control_);
}

UITableViewCell* PSSwitchTableCell::initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) {
    if (!PSControlTableCell::initWithStyle(style, reuseIdentifier)) return nullptr;
    auto toggle = make<UISwitch>();
    toggle->setFrame(CGRectMake(frame().size.width - 66, 6.5, 51, 31));
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

Ref<NSObject> PSSwitchTableCell::controlValue() const {
    return switchControl() ? NSNumber::numberWithBool(switchControl()->isOn()) : nullptr;
}

void PSSwitchTableCell::controlChanged() {
    if (PSSpecifier* row = specifier()) row->performSetter(controlValue());
}
