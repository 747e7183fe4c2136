#pragma once
// One row of a settings page: its title, cell type, the target that receives its setter, getter and
// action, and free-form properties ("key", "default", "defaults", "cellClass", "height", ...).

#include <string_view>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "objc/runtime.h"

enum PSCellType : int {
    PSGroupCell = 0,
    PSLinkCell = 1,
    PSLinkListCell = 2,
    PSListItemCell = 3,
    PSTitleValueCell = 4,
    PSSliderCell = 5,
    PSSwitchCell = 6,
    PSStaticTextCell = 7,
    PSEditTextCell = 8,
    PSSegmentCell = 9,
    PSGiantIconCell = 10,
    PSGiantCell = 11,
    PSSecureEditTextCell = 12,
    PSButtonCell = 13,
    PSEditTextViewCell = 14,
};

// The cell type of a cell name ("PSSwitchCell" is 6); PSGroupCell for a missing or unknown name.
PSCellType PSCellTypeFromName(std::string_view name);
const char* PSCellNameFromType(PSCellType type);

class PSSpecifier : public NSObject {
    OBJC_INTERFACE(PSSpecifier, NSObject)

public:
    PSSpecifier() = default;

    static Ref<PSSpecifier> preferenceSpecifierNamed(NSString* name, id target, SEL set, SEL get, Class detail,
                                                     PSCellType cell, Class edit);
    static Ref<PSSpecifier> groupSpecifierWithName(NSString* name);
    static Ref<PSSpecifier> emptyGroupSpecifier();

    NSString* name() const { return name_; }
    void setName(NSString* name) { name_ = name; }
    id target() const { return target_; }
    void setTarget(id target) { target_ = target; }
    PSCellType cellType() const { return cellType_; }
    SEL setter() const { return setter_; }
    SEL getter() const { return getter_; }
    Class detailControllerClass() const { return detail_; }
    Class editPaneClass() const { return editPane_; }
    // The selector a tap sends to the target; nil for none. Writable, as the framework's field is.
    SEL action = nullptr;

    id propertyForKey(std::string_view key) const { return properties_->objectForKey(key); }
    // Setting no value removes the property: a row may be handed nothing and is still built.
    void setProperty(id value, std::string_view key) { properties_->setObject(value, key); }
    const NSDictionary* properties() const { return properties_; }
    // The "id" property's text, or "" when it has none.
    std::string identifier() const;

    // Choice rows: the values in order and a dictionary from each value to its title. Values are
    // keyed by their description, so the number 4 finds the title stored for 4 whatever its kind.
    NSArray* values() const { return values_; }
    NSDictionary* titleDictionary() const { return titles_; }
    void setTitleDictionary(NSDictionary* titles) { titles_ = titles; }
    // With either array missing both are cleared; otherwise paired by position (the shorter wins).
    void setValues(NSArray* values, NSArray* titles);
    // The title shown for a value, or nil when the value is not one of the choices.
    NSString* titleForValue(const NSObject* value) const;

    // The row's value: its getter sent by name to its target (nil without either).
    Ref<NSObject> performGetter();
    // Stores a value through the row's setter, sent by name to its target.
    void performSetter(id value);

private:
    Ref<NSString> name_;
    id target_ = nullptr;  // not owned: the page owns its rows
    SEL setter_ = nullptr;
    SEL getter_ = nullptr;
    Class detail_ = nullptr;
    Class editPane_ = nullptr;
    PSCellType cellType_ = PSGroupCell;
    Ref<NSMutableDictionary> properties_ = make<NSMutableDictionary>();
    Ref<NSArray> values_;
    Ref<NSDictionary> titles_;
};
