#pragma once
// Turns a page's table of plain row dictionaries into Preferences rows aimed at the page. Stateless:
// class methods only. Every problem degrades to a default; nothing is reported.

#include <string_view>

#include "Foundation/NSArray.h"
#include "Preferences/PSSpecifier.h"

class TXSpecifierParser : public NSObject {
    OBJC_INTERFACE(TXSpecifierParser, NSObject)

public:
    TXSpecifierParser() = delete;

    // The cell type of a cell name; 0 (a group) for a missing or unlisted name.
    static int PSCellTypeFromString(const NSObject* name);
    // One specifier per dictionary, in order, aimed at `target`. A table that is not an array, and
    // entries that are not dictionaries, give no rows.
    static Ref<NSMutableArray> specifiersFromArray(const NSObject* table, id target);
};
