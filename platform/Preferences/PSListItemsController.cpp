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

bool PSListItemsController::isCurrentChoice(PSSpecifier* item) {
    PSSpecifier* opener = specifier();
    Ref<NSObject> current = opener ? opener->performGetter() : nullptr;
    id value = item ? item->propertyForKey("value") : nullptr;
    // Compared by description, as the titles are keyed: a stored 4 checks the choice 4 whatever its kind.
    return current && value && current->description() == value->description();
}

void PSListItemsController::refreshCell(PSTableCell* cell, PSSpecifier* item) {
    PSListController::refreshCell(cell, item);
    cell->setChecked(isCurrentChoice(item));
}

bool PSListItemsController::tapRow(size_t row) {
    if (row >= rowCount()) return false;
    Ref<PSSpecifier> item = specifierAtRow(row);
    Ref<PSSpecifier> opener = specifier();
    if (!item || item->cellType() != PSListItemCell || !opener) return false;
    // A checked choice that is stored stays as it is: picking it again stores and posts nothing. One
    // checked only as the row's "default" is kept nowhere yet, and the app that reads the key may
    // assume another value, so picking it stores it.
    if (isCurrentChoice(item) && !showsDefaultValue(opener)) return true;
    // Through the opening row's setter, by name, so the page's own storing and posting run.
    opener->performSetter(item->propertyForKey("value"));
    reloadCells();
    return true;
}
