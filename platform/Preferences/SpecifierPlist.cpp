// The framework's own specifier lists: "<name>.plist" in a page's bundle.

#include "Foundation/NSLog.h"
#include "Preferences/PSListController.h"
#include "plist/PropertyList.h"

namespace {

Class classNamed(const NSDictionary& row, const char* key) {
    auto* name = objc_cast<NSString>(row.objectForKey(key));
    return name ? objc_getClass(name->str()) : nullptr;
}

Ref<PSSpecifier> rowFromDictionary(const NSDictionary& row, id target) {
    auto* cellName = objc_cast<NSString>(row.objectForKey("cell"));
    const PSCellType type = PSCellTypeFromName(cellName ? cellName->str() : "");
    auto* label = objc_cast<NSString>(row.objectForKey("label"));
    Ref<PSSpecifier> s =
        type == PSGroupCell
            ? PSSpecifier::groupSpecifierWithName(label)
            : PSSpecifier::preferenceSpecifierNamed(label ? label : NSString::string("").get(), target,
                                                    SELECTOR("setPreferenceValue:specifier:"),
                                                    SELECTOR("readPreferenceValue:"), classNamed(row, "detail"), type,
                                                    nullptr);
    for (const auto& [key, value] : row) {
        if (key == "cellClass") {
            s->setProperty(objc_classAsObject(classNamed(row, "cellClass")), key);
        } else if (key == "action") {
            auto* selector = objc_cast<NSString>(value);
            s->action = selector && !selector->str().empty() ? sel_registerName(selector->str()) : nullptr;
        } else if (key != "validTitles" && key != "validValues") {
            s->setProperty(value, key);
        }
    }
    s->setValues(objc_cast<NSArray>(row.objectForKey("validValues")), objc_cast<NSArray>(row.objectForKey("validTitles")));
    s->setTarget(target);
    return s;
}

}  // namespace

Ref<NSMutableArray> PSListController::loadSpecifiersFromPlistName(const std::string& name, id target) {
    auto rows = make<NSMutableArray>();
    NSBundle* b = bundle();
    // pathForResource refuses names that leave the bundle.
    const std::optional<std::string> path = b ? b->pathForResource(name, "plist") : std::nullopt;
    std::string why = "missing";
    Ref<NSObject> contents = path ? plist::readFile(*path, &why) : nullptr;
    auto* list = objc_cast<NSDictionary>(contents.get());
    auto* items = list ? objc_cast<NSArray>(list->objectForKey("items")) : nullptr;
    if (!items) {
        if (contents) why = "holds no \"items\" list";
        NSLog("Preferences: %s.plist in %s: %s; the page has no rows", name.c_str(),
              b ? b->bundlePath().c_str() : "(no bundle)", why.c_str());
        return rows;
    }
    for (const auto& item : *items)
        if (auto* row = objc_cast<NSDictionary>(item)) rows->addObject(rowFromDictionary(*row, target));
    if (auto* title = objc_cast<NSString>(list->objectForKey("title"))) setTitle(title->str());
    return rows;
}
