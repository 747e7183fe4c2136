#pragma once
// Rows as a command names them: by the title the row shows, by GROUP/TITLE when several groups hold
// that title, by the name a person row shows, or by number (#N, as "show" numbers them).

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Preferences/PSListController.h"

namespace settings {

// The texts a row's cell shows, in drawing order: its title, a choice's value, a person's name and
// role. Hidden and empty labels are left out.
std::vector<std::string> textsShown(UIView* cell);

// What a command calls the row: its title, else the first text its cell shows; "" for none.
std::string rowName(PSListController& page, size_t row);

// The name that a command can use for this row and that fits no other row: its name, GROUP/NAME when
// other rows share the name, #N when neither is unique. A screen reader hears the same name.
std::string uniqueRowName(PSListController& page, size_t row);

// The one row `name` names (a group is no row), or why there is not exactly one: no such row, a
// group of that title, or several rows, listed with their numbers.
std::variant<size_t, std::string> findRow(PSListController& page, const std::string& name);

// The names of the rows a command can name on the page (no groups, none twice), in order.
std::vector<std::string> rowNames(PSListController& page);

// For a name that matched nothing: the nearest of `names` when one is close (a typo), then what
// exists: " (did you mean 'Corvane'?); entries: Corvane".
std::string whatExists(const std::string& name, const std::vector<std::string>& names, const std::string& kind);

}  // namespace settings
