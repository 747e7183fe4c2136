#include "Preferences/PSSpecifier.h"

OBJC_IMPLEMENTATION(PSSpecifier)

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
