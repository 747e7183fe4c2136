#include "Preferences/PSListController.h"

#include "CoreFoundation/CFNotificationCenter.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSNumber.h"
#include "Foundation/PropertyList.h"
#include "Preferences/PreferencesStore.h"
#include "UIKit/UIScreen.h"
#include "objc/message.h"

OBJC_IMPLEMENTATION(PSListController,
    objc::method("setPreferenceValue:specifier:", [](id self, SEL, id value, id specifier) {
        static_cast<PSListController*>(self)->setPreferenceValue(value, objc_cast<PSSpecifier>(specifier));
    }),
    objc::method("readPreferenceValue:", [](id self, SEL, id specifier) -> id {
        return objc::autorelease(static_cast<PSListController*>(self)->readPreferenceValue(objc_cast<PSSpecifier>(specifier)));
    }),
    objc::method("specifiers", [](id self, SEL) -> id { return static_cast<PSListController*>(self)->specifiers(); }))

namespace {

PSListController::StorageObserver& storageObserver() {
    static PSListController::StorageObserver observer;
    return observer;
}

std::string stringProperty(const PSSpecifier* specifier, const char* key) {
    auto* text = specifier ? objc_cast<NSString>(specifier->propertyForKey(key)) : nullptr;
    return text ? text->str() : std::string();
}

// A row of the framework's own specifier list.
Ref<PSSpecifier> rowFromDictionary(const NSDictionary& row, id target) {
    auto* cellName = objc_cast<NSString>(row.objectForKey("cell"));
    const PSCellType type = PSCellTypeFromName(cellName ? cellName->str() : "");
    auto* label = objc_cast<NSString>(row.objectForKey("label"));
    auto name = [&](const char* key) -> Class {
        auto* s = objc_cast<NSString>(row.objectForKey(key));
        return s ? objc_getClass(s->str()) : nullptr;
    };
    Ref<PSSpecifier> s =
        type == PSGroupCell ? PSSpecifier::groupSpecifierWithName(label)
                            : PSSpecifier::preferenceSpecifierNamed(label ? label : NSString::string("").get(), target,
                                                                    SELECTOR("setPreferenceValue:specifier:"),
                                                                    SELECTOR("readPreferenceValue:"), name("detail"),
                                                                    type, nullptr);
    for (const auto& [key, value] : row) {
        if (key == "cellClass") s->setProperty(objc_classAsObject(name("cellClass")), key);
        else if (key == "action") s->action = objc_cast<NSString>(value) ? sel_registerName(objc_cast<NSString>(value)->str()) : nullptr;
        else if (key != "validTitles" && key != "validValues") s->setProperty(value, key);
    }
    s->setValues(objc_cast<NSArray>(row.objectForKey("validValues")), objc_cast<NSArray>(row.objectForKey("validTitles")));
    return s;
}

}  // namespace

void PSListController::setStorageObserver(StorageObserver observer) { storageObserver() = std::move(observer); }

void PSListController::setSpecifiers(NSArray* specifiers) {
    _specifiers = specifiers;
    cellsBuilt_ = false;
    cells_.clear();
}

Ref<NSMutableArray> PSListController::loadSpecifiersFromPlistName(const std::string& name, id target) {
    auto rows = make<NSMutableArray>();
    NSBundle* b = bundle();
    const std::string path = b ? b->bundlePath() + "/" + name + ".plist" : std::string();
    Ref<NSObject> contents = path.empty() || name.find('/') != std::string::npos ? nullptr : plist::readFile(path);
    auto* list = objc_cast<NSDictionary>(contents.get());
    auto* items = list ? objc_cast<NSArray>(list->objectForKey("items")) : nullptr;
    if (!items) {
        NSLog("Preferences: no specifier list %s.plist in %s", name.c_str(), b ? b->bundlePath().c_str() : "(no bundle)");
        return rows;
    }
    for (const auto& item : *items)
        if (auto* row = objc_cast<NSDictionary>(item)) rows->addObject(rowFromDictionary(*row, target));
    if (auto* title = objc_cast<NSString>(list->objectForKey("title"))) setTitle(title->str());
    return rows;
}

NSBundle* PSListController::bundle() const { return NSBundle::bundleForClass(isa()); }

UITableView* PSListController::table() { return objc_cast<UITableView>(view()); }

std::string PSListController::navigationTitle() {
    if (specifier_ && specifier_->name()) return specifier_->name()->str();
    return title();
}

void PSListController::loadView() { setView(make<UITableView>(UIScreen::mainScreen()->bounds())); }

void PSListController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    reloadCells();
}

void PSListController::setPreferenceValue(id value, PSSpecifier* specifier) {
    const std::string domain = stringProperty(specifier, "defaults"), key = stringProperty(specifier, "key");
    if (key.empty()) {
        NSLog("Preferences: row \"%s\" has no key; nothing stored", specifier && specifier->name() ? specifier->name()->UTF8String() : "");
        return;
    }
    if (!PreferencesStore::setPreferenceValue(domain, key, value)) return;
    if (storageObserver()) storageObserver()(domain, key, value);
    const std::string notification = stringProperty(specifier, "PostNotification");
    if (!notification.empty())
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                             CFStringMakeConstantString(notification), nullptr, nullptr, true);
}

Ref<NSObject> PSListController::readPreferenceValue(PSSpecifier* specifier) {
    const std::string domain = stringProperty(specifier, "defaults"), key = stringProperty(specifier, "key");
    Ref<NSObject> stored = key.empty() ? nullptr : PreferencesStore::readPreferenceValue(domain, key);
    return stored ? stored : Ref<NSObject>(specifier ? specifier->propertyForKey("default") : nullptr);
}

size_t PSListController::rowCount() {
    NSArray* rows = specifiers();
    return rows ? rows->count() : 0;
}

PSSpecifier* PSListController::specifierAtRow(size_t row) {
    NSArray* rows = specifiers();
    return rows ? objc_cast<PSSpecifier>(rows->objectAtIndex(row)) : nullptr;
}

Ref<UITableViewCell> PSListController::makeCell(PSSpecifier* specifier) {
    if (!specifier || specifier->cellType() == PSGroupCell) return nullptr;
    Class cls = objc_objectAsClass(specifier->propertyForKey("cellClass"));
    if (!cls || !cls->isSubclassOf(UITableViewCell::class_()))
        cls = specifier->cellType() == PSSwitchCell ? PSSwitchTableCell::class_() : PSTableCell::class_();
    Ref<NSObject> instance = cls->createInstance();
    if (!instance) return nullptr;
    // Sent by name, so a product cell's own initialiser runs.
    auto reuse = NSString::string(PSCellNameFromType(specifier->cellType()));
    id initialised = objc_msgSend<id(NSInteger, id)>(instance, SELECTOR("initWithStyle:reuseIdentifier:"),
                                                     NSInteger{UITableViewCellStyleValue1}, static_cast<id>(reuse.get()));
    Ref<UITableViewCell> cell = objc_cast<UITableViewCell>(initialised);
    if (auto* psCell = objc_cast<PSTableCell>(cell.get())) psCell->refreshCellContentsWithSpecifier(specifier);
    return cell;
}

void PSListController::buildCells() {
    if (cellsBuilt_) return;
    cellsBuilt_ = true;
    UITableView* tableView = table();
    const size_t n = rowCount();
    cells_.assign(n, nullptr);
    double y = tableView && tableView->tableHeaderView() ? tableView->tableHeaderView()->frame().size.height : 0;
    for (size_t i = 0; i < n; ++i) {
        Ref<UITableViewCell> cell = makeCell(specifierAtRow(i));
        const double height = heightOfRow(i);
        if (cell && tableView) {
            CGRect frame = cell->frame();
            frame.origin.y = y;
            cell->setFrame(frame);
            tableView->addSubview(cell);
            cell->layoutIfNeeded();
        }
        y += cell ? height : 32;  // a group's header gap
        cells_[i] = cell;
    }
}

UITableViewCell* PSListController::cellAtRow(size_t row) {
    buildCells();
    return row < cells_.size() ? cells_[row].get() : nullptr;
}

double PSListController::heightOfRow(size_t row) {
    PSSpecifier* s = specifierAtRow(row);
    auto* height = s ? objc_cast<NSNumber>(s->propertyForKey("height")) : nullptr;
    return height && height->doubleValue() > 0 ? height->doubleValue() : 44;
}

void PSListController::reloadCells() {
    if (!cellsBuilt_) return;
    for (size_t i = 0; i < cells_.size(); ++i)
        if (auto* cell = objc_cast<PSTableCell>(cells_[i].get())) {
            cell->refreshCellContentsWithSpecifier(specifierAtRow(i));
            cell->layoutIfNeeded();
        }
}

bool PSListController::tapRow(size_t row) {
    PSSpecifier* s = specifierAtRow(row);
    if (!s || s->cellType() == PSGroupCell) return false;
    Ref<PSSpecifier> keep = s;
    if (s->cellType() == PSSwitchCell) {
        auto* cell = objc_cast<PSSwitchTableCell>(cellAtRow(row));
        if (!cell || !cell->switchControl()) return false;
        cell->switchControl()->toggle();
        return true;
    }
    if (Class detail = s->detailControllerClass()) {
        Ref<NSObject> instance = detail->createInstance();
        auto* page = objc_cast<UIViewController>(instance.get());
        if (!page || !navigationController()) return false;
        if (auto* list = objc_cast<PSListController>(page)) {
            list->setSpecifier(s);
            list->setParentController(this);
            list->setRootController(rootController());
        }
        navigationController()->pushViewController(page, true);
        return true;
    }
    if (s->action && s->target()) {
        objc::sendAction(s->target(), s->action, s);
        return true;
    }
    return false;
}

OBJC_IMPLEMENTATION(PSListItemsController)

NSArray* PSListItemsController::specifiers() {
    if (_specifiers) return _specifiers;
    auto rows = make<NSMutableArray>();
    rows->addObject(PSSpecifier::emptyGroupSpecifier());
    PSSpecifier* opener = specifier();
    if (opener && opener->values()) {
        for (const auto& value : *opener->values()) {
            NSString* title = opener->titleForValue(value);
            auto item = PSSpecifier::preferenceSpecifierNamed(title ? title : NSString::string("").get(), this, nullptr,
                                                              nullptr, nullptr, PSListItemCell, nullptr);
            item->setProperty(value, "value");
            rows->addObject(item);
        }
    }
    _specifiers = rows;
    return _specifiers;
}

void PSListItemsController::updateChecks() {
    PSSpecifier* opener = specifier();
    Ref<NSObject> current = opener ? opener->performGetter() : nullptr;
    for (size_t i = 1; i < rowCount(); ++i) {
        auto* cell = objc_cast<PSTableCell>(cellAtRow(i));
        id value = specifierAtRow(i)->propertyForKey("value");
        if (cell) cell->setChecked(current && value && current->description() == value->description());
    }
}

void PSListItemsController::viewWillAppear(bool animated) {
    PSListController::viewWillAppear(animated);
    updateChecks();
}

bool PSListItemsController::tapRow(size_t row) {
    PSSpecifier* item = specifierAtRow(row);
    PSSpecifier* opener = specifier();
    if (!item || item->cellType() != PSListItemCell || !opener) return false;
    opener->performSetter(item->propertyForKey("value"));
    updateChecks();
    return true;
}
