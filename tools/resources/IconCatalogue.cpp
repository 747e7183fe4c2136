#include "IconCatalogue.h"

#include <array>

#include "EntryIcon.h"
#include "Glyphs.h"
#include "Portraits.h"

namespace {

// Table rows show 29-point icons; credits rows show 65-point pictures; the share button's heart
// is a little smaller than a bar button's 22 x 22 so it sits centred in the bar.
constexpr double kRowIcon = 29;
constexpr double kPortrait = 65;

constexpr portraits::Style kBrannoc{
    {0.33, 0.56, 0.86}, {0.13, 0.29, 0.58}, {0.96, 0.80, 0.66}, {0.30, 0.20, 0.13}, {0.20, 0.22, 0.27},
    portraits::Hair::Short, true, false};
constexpr portraits::Style kQuillex{
    {0.47, 0.80, 0.55}, {0.15, 0.50, 0.33}, {0.88, 0.68, 0.52}, {0.62, 0.27, 0.12}, {0.93, 0.93, 0.90},
    portraits::Hair::Long, false, false};
constexpr portraits::Style kPelo{
    {0.98, 0.68, 0.32}, {0.80, 0.34, 0.14}, {0.62, 0.43, 0.30}, {0.10, 0.08, 0.08}, {0.35, 0.18, 0.45},
    portraits::Hair::Curly, false, true};

const std::array<IconSpec, 9> kIcons{{
    {"heart", 22, 20, glyphs::heart},
    {"settings", kRowIcon, kRowIcon, glyphs::gear},
    {"makers", kRowIcon, kRowIcon, glyphs::makers},
    {"support", kRowIcon, kRowIcon, glyphs::envelope},
    {"enabled", kRowIcon, kRowIcon, glyphs::power},
    {"brannoc", kPortrait, kPortrait, [](cairo_t* cr, double w, double h) { portraits::draw(cr, kBrannoc, w, h); }},
    {"quillex", kPortrait, kPortrait, [](cairo_t* cr, double w, double h) { portraits::draw(cr, kQuillex, w, h); }},
    {"pelo", kPortrait, kPortrait, [](cairo_t* cr, double w, double h) { portraits::draw(cr, kPelo, w, h); }},
    {"icon", kRowIcon, kRowIcon, drawEntryIcon},
}};

}  // namespace

std::span<const IconSpec> iconCatalogue() { return kIcons; }

const IconSpec* findIcon(std::string_view name) {
    for (const IconSpec& icon : kIcons)
        if (icon.name == name) return &icon;
    return nullptr;
}
