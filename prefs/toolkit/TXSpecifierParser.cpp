#include "toolkit/TXSpecifierParser.h"

#include "Foundation/NSBundle.h"
#include "Foundation/NSDictionary.h"
#include "UIKit/UIImage.h"
#include "objc/message.h"
#include "toolkit/TXListControllerProtocol.h"
#include "toolkit/UIImage+Colored.h"

OBJC_IMPLEMENTATION(TXSpecifierParser)

namespace {

// Values of another kind than the key expects read as absent.
NSString* text(const NSDictionary& row, const char* key) { return objc_cast<NSString>(row.objectForKey(key)); }

Class classNamed(const NSDictionary& row, const char* key) {
    NSString* name = text(row, key);
    return name ? objc_getClass(name->str()) : nullptr;
}

SEL selectorNamed(const NSDictionary& row, const char* key, SEL fallback) {
    NSString* name = text(row, key);
    return name ? sel_registerName(name->str()) : fallback;
}

// An image of the target's bundle, else of the parser's own.
Ref<UIImage> image(const NSDictionary& row, const char* key, id target) {
    NSString* name = text(row, key);
    if (!name) return nullptr;
    if (target)
        if (auto found = UIImage::imageNamed(name->str(), NSBundle::bundleForClass(target->isa()))) return found;
    return UIImage::imageNamed(name->str(), NSBundle::bundleForClass(TXSpecifierParser::class_()));
}

// The colour a target gives for an accessor it responds to; toolkit pages answer from their
// optional accessors, any other target by message.
Ref<UIColor> colourFrom(id target, const char* selector) {
    if (auto* source = dynamic_cast<const TXIconColorSource*>(target); source && std::string_view(selector) == "iconColor")
        return source->iconColor().value_or(nullptr);
    if (auto* page = dynamic_cast<const TXListControllerProtocol*>(target); page && std::string_view(selector) == "tintColor")
        return page->tintColor().value_or(nullptr);
    return objc_cast<UIColor>(objc_msgSend<id()>(target, sel_registerName(selector)));
}

Ref<UIImage> tintedIcon(const NSDictionary& row, id target) {
    Ref<UIImage> icon = image(row, "icon", target);
    if (!icon || !target) return icon;
    for (const char* accessor : {"iconColor", "tintColor"})
        if (target->respondsToSelector(sel_registerName(accessor))) return changeImageColor(icon, colourFrom(target, accessor));
    return icon;
}

Ref<PSSpecifier> ordinaryRow(const NSDictionary& row, PSCellType type, id target) {
    NSString* label = text(row, "label");
    Ref<PSSpecifier> s = PSSpecifier::preferenceSpecifierNamed(
        label ? label : NSString::string("").get(), target,
        selectorNamed(row, "set", SELECTOR("setPreferenceValue:specifier:")),
        selectorNamed(row, "get", SELECTOR("readPreferenceValue:")), classNamed(row, "detail"), type,
        classNamed(row, "pane"));
    s->action = selectorNamed(row, "action", nullptr);
    auto* values = objc_cast<NSArray>(row.objectForKey("validValues"));
    auto* titles = objc_cast<NSArray>(row.objectForKey("validTitles"));
    if (values && titles) s->setValues(values, titles);
    for (const auto& [key, value] : row) {
        if (key == "cellClass")
            s->setProperty(objc_classAsObject(classNamed(row, "cellClass")), key);
        else if (key != "validValues" && key != "validTitles")
            s->setProperty(value, key);
    }
    return s;
}

Ref<PSSpecifier> groupRow(const NSDictionary& row) {
    NSString* label = text(row, "label");
    Ref<PSSpecifier> s = label ? PSSpecifier::groupSpecifierWithName(label) : PSSpecifier::emptyGroupSpecifier();
    if (label) s->setProperty(label, "label");
    if (id footer = row.objectForKey("footerText")) s->setProperty(footer, "footerText");
    s->setProperty(NSString::string("PSGroupCell"), "cell");
    return s;
}

}  // namespace

int TXSpecifierParser::PSCellTypeFromString(const NSObject* name) {
    auto* s = objc_cast<NSString>(name);
    return s ? PSCellTypeFromName(s->str()) : PSGroupCell;
}

Ref<NSMutableArray> TXSpecifierParser::specifiersFromArray(const NSObject* table, id target) {
    auto result = make<NSMutableArray>();
    auto* rows = objc_cast<NSArray>(table);
    if (!rows) return result;
    for (const auto& entry : *rows) {
        auto* row = objc_cast<NSDictionary>(entry.get());
        if (!row) continue;
        const auto type = static_cast<PSCellType>(PSCellTypeFromString(row->objectForKey("cell")));
        Ref<PSSpecifier> s = type == PSGroupCell ? groupRow(*row) : ordinaryRow(*row, type, target);
        if (row->objectForKey("icon")) s->setProperty(tintedIcon(*row, target), "iconImage");
        if (row->objectForKey("leftImage")) s->setProperty(image(*row, "leftImage", target), "leftImage");
        if (row->objectForKey("rightImage")) s->setProperty(image(*row, "rightImage", target), "rightImage");
        // A label that is not text names nothing, so it gives no "id" either.
        id identifier = row->objectForKey("id");
        s->setProperty(identifier ? identifier : text(*row, "label"), "id");
        s->setTarget(target);
        result->addObject(s);
    }
    return result;
}
