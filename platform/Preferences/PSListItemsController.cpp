#include "Preferences/PSListController.h"

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

void PSListItemsController::refreshCell(PSTableCell* cell, PSSpecifier* item) {
    PSListController::refreshCell(cell, item);
    PSSpecifier* opener = specifier();
    Ref<NSObject> current = opener ? opener->performGetter() : nullptr;
    id value = item ? item->propertyForKey("value") : nullptr;
    // Compared by description, as the titles are keyed: a stored 4 checks the choice 4 whatever its kind.
    cell->setChecked(current && value && current->description() == value->description());
}

bool PSListItemsController::tapRow(size_t row) {
    if (row >= rowCount()) return false;
    Ref<PSSpecifier> item = specifierAtRow(row);
    Ref<PSSpecifier> opener = specifier();
    if (!item || item->cellType() != PSListItemCell || !opener) return false;
    // Through the opening row's setter, by name, so the page's own storing and posting run.
    opener->performSetter(item->propertyForKey("value"));
    reloadCells();
    return true;
}
