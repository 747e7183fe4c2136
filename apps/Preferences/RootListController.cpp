#include "RootListController.h"

#include "PaneLoader.h"
#include "UIKit/UIImage.h"
#include "device/DevicePath.h"

OBJC_IMPLEMENTATION(PSRootListController)

namespace {
// The rows before the first entry: one group.
constexpr size_t kLeadingRows = 1;
}  // namespace

void PSRootListController::setEntries(std::vector<settings::LoaderEntry> entries) {
    entries_ = std::move(entries);
    setSpecifiers(nullptr);
    setTitle("Settings");
}

NSArray* PSRootListController::specifiers() {
    if (_specifiers) return _specifiers;
    auto rows = make<NSMutableArray>();
    rows->addObject(PSSpecifier::emptyGroupSpecifier());
    for (const auto& entry : entries_) {
        auto row = PSSpecifier::preferenceSpecifierNamed(NSString::string(entry.label), this, nullptr, nullptr, nullptr,
                                                         PSLinkCell, nullptr);
        row->setProperty(NSString::string("PSLinkCell"), "cell");
        row->setProperty(NSString::string(entry.label), "label");
        row->setProperty(NSString::string(entry.bundle), "bundle");
        if (entry.icon)
            row->setProperty(UIImage::imageNamed(*entry.icon, device::resolve(entry.bundlePath())), "iconImage");
        rows->addObject(row);
    }
    _specifiers = rows;
    return _specifiers;
}

const settings::LoaderEntry* PSRootListController::entryAtRow(size_t row) const {
    if (row < kLeadingRows || row - kLeadingRows >= entries_.size()) return nullptr;
    return &entries_[row - kLeadingRows];
}

std::optional<std::string> PSRootListController::openEntryAtRow(size_t row) {
    const settings::LoaderEntry* entry = entryAtRow(row);
    if (!entry) return "row " + std::to_string(row) + " opens no pane";
    if (!navigationController()) return std::string("the Settings list is not on screen");
    auto loaded = settings::loadPane(*entry);
    if (auto* problem = std::get_if<std::string>(&loaded)) return entry->label + ": " + *problem;
    Ref<UIViewController> pane = std::get<Ref<UIViewController>>(loaded);
    if (auto* list = objc_cast<PSListController>(pane.get())) {
        list->setSpecifier(specifierAtRow(row));
        list->setParentController(this);
        list->setRootController(rootController());
    }
    navigationController()->pushViewController(pane, true);
    return std::nullopt;
}
