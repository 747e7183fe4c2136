#include "Preferences/PSSpecifier.h"

#include "objc/message.h"

OBJC_IMPLEMENTATION(PSSpecifier)

namespace {
constexpr const char* kCellNames[] = {
    "PSGroupCell",   "PSLinkCell",   "PSLinkListCell",   "PSListItemCell",   "PSTitleValueCell",
    "PSSliderCell",  "PSSwitchCell", "PSStaticTextCell", "PSEditTextCell",   "PSSegmentCell",
    "PSGiantIconCell", "PSGiantCell", "PSSecureEditTextCell", "PSButtonCell", "PSEditTextViewCell",
};
}  // namespace

PSCellType PSCellTypeFromName(std::string_view name) {
    for (int i = 0; i < static_cast<int>(std::size(kCellNames)); ++i)
        if (name == kCellNames[i]) return static_cast<PSCellType>(i);
    return PSGroupCell;
}

const char* PSCellNameFromType(PSCellType type) {
    return type >= 0 && type < static_cast<int>(std::size(kCellNames)) ? kCellNames[type] : kCellNames[0];
}

Ref<NSObject> PSSpecifier::performGetter() {
    if (!target_ || !getter_ || !target_->respondsToSelector(getter_)) return nullptr;
    Ref<PSSpecifier> self = this;
    return objc_msgSend<id(id)>(target_, getter_, static_cast<id>(this));
}

void PSSpecifier::performSetter(id value) {
    if (!target_ || !setter_ || !target_->respondsToSelector(setter_)) return;
    Ref<PSSpecifier> self = this;
    objc_msgSend<void(id, id)>(target_, setter_, value, static_cast<id>(this));
}

Ref<PSSpecifier> PSSpecifier::preferenceSpecifierNamed(NSString* name, id target, SEL set, SEL get, Class detail,
                                                       PSCellType cell, Class edit) {
    auto s = make<PSSpecifier>();
    s->name_ = name;
    s->target_ = target;
    s->setter_ = set;
    s->getter_ = get;
    s->detail_ = detail;
    s->cellType_ = cell;
    s->editPane_ = edit;
    return s;
}

Ref<PSSpecifier> PSSpecifier::groupSpecifierWithName(NSString* name) {
    auto s = make<PSSpecifier>();
    s->name_ = name;
    return s;
}

Ref<PSSpecifier> PSSpecifier::emptyGroupSpecifier() { return make<PSSpecifier>(); }

std::string PSSpecifier::identifier() const {
    auto* text = objc_cast<NSString>(propertyForKey("id"));
    return text ? text->str() : std::string();
}

void PSSpecifier::setValues(NSArray* values, NSArray* titles) {
    if (!values || !titles) {
        values_ = nullptr;
        titles_ = nullptr;
        return;
    }
    values_ = values;
    NSDictionary::Storage map;
    const size_t n = std::min(values->count(), titles->count());
    for (size_t i = 0; i < n; ++i) {
        id value = values->objectAtIndex(i);
        if (value) map[value->description()] = titles->objectAtIndex(i);
    }
    titles_ = make<NSDictionary>(std::move(map));
}

NSString* PSSpecifier::titleForValue(const NSObject* value) const {
    if (!value || !titles_) return nullptr;
    return objc_cast<NSString>(titles_->objectForKey(value->description()));
}
