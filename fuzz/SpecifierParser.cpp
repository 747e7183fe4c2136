// The specifier parser on arbitrary tables: one row per dictionary entry of an array, none for
// anything else, each aimed at the page given and of a known cell type.

#include <cstdint>
#include <vector>

#include "Check.h"
#include "Foundation/NSNumber.h"
#include "ValueTree.h"
#include "toolkit/TXSpecifierParser.h"
#include "toolkit/TXTintedListController.h"

namespace {

using fuzzing::require;

const fuzzing::TreeShape& shape() {
    static const fuzzing::TreeShape rows{
        {"cell", "label", "key", "id", "default", "defaults", "set", "get", "action", "detail", "pane", "cellClass",
         "validValues", "validTitles", "icon", "leftImage", "rightImage", "footerText", "PSGroupCell", "PSLinkCell",
         "PSLinkListCell", "PSListItemCell", "PSSwitchCell", "PSSliderCell", "PSButtonCell", "PSEditTextCell",
         "PSSegmentCell", "PSStaticTextCell", "PSTitleValueCell", "PSGiantIconCell", "NSObject", "PSListController",
         "TXTintedListController", "TXTintedSwitchCell", "PSSpecifier", "heart", "settings", "iconColor",
         "tintColor", "setPreferenceValue:specifier:", "readPreferenceValue:", ""},
        4, 120};
    return rows;
}

// The page the rows are aimed at: none, a plain object, or a tinted toolkit page.
Ref<NSObject> target(uint8_t pick) {
    switch (pick % 3) {
        case 0: return nullptr;
        case 1: return NSString::string("page");
        default: return make<TXTintedListController>();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::FuzzInput in(data, size);
    const Ref<NSObject> page = target(in.byte());
    Ref<NSObject> table;
    size_t dictionaries = 0;
    if (in.byte() < 0xF0) {
        std::vector<Ref<NSObject>> rows;
        for (size_t n = in.below(12); n > 0 && !in.empty(); --n) {
            const bool plain = in.byte() < 0xE0;
            rows.push_back(plain ? Ref<NSObject>(fuzzing::buildDictionary(in, shape())) : fuzzing::buildTree(in, shape()));
            if (objc_cast<NSDictionary>(rows.back().get())) ++dictionaries;
        }
        table = make<NSArray>(std::move(rows));
    } else {
        table = fuzzing::buildTree(in, shape());
        if (auto* rows = objc_cast<NSArray>(table.get()))
            for (const auto& row : *rows) dictionaries += objc_cast<NSDictionary>(row.get()) != nullptr;
    }
    const Ref<NSMutableArray> specifiers = TXSpecifierParser::specifiersFromArray(table, page);
    require(specifiers->count() == dictionaries, "one row per dictionary of the table");
    for (const auto& item : *specifiers) {
        auto* specifier = objc_cast<PSSpecifier>(item.get());
        require(specifier && specifier->target() == page.get(), "every row is a specifier aimed at the page");
        require(specifier->cellType() >= PSGroupCell && specifier->cellType() <= PSEditTextViewCell,
                "every row has a known cell type");
    }
    return 0;
}
