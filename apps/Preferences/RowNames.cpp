#include "RowNames.h"

#include <algorithm>

#include "UIKit/UILabel.h"

namespace settings {
namespace {

void collectTexts(UIView* view, std::vector<std::string>& texts) {
    if (!view || view->isHidden()) return;
    if (auto* label = objc_cast<UILabel>(view); label && !label->text().empty()) texts.push_back(label->text());
    for (const auto& child : view->subviews()) collectTexts(child.get(), texts);
}

bool isGroup(PSListController& page, size_t row) {
    PSSpecifier* specifier = page.specifierAtRow(row);
    return specifier && specifier->cellType() == PSGroupCell;
}

std::string title(PSListController& page, size_t row) {
    PSSpecifier* specifier = page.specifierAtRow(row);
    return specifier && specifier->name() ? specifier->name()->str() : std::string();
}

// The title of the group a row stands in; "" for an untitled group or none.
std::string groupOf(PSListController& page, size_t row) {
    while (row-- > 0)
        if (isGroup(page, row)) return title(page, row);
    return {};
}

std::string describe(PSListController& page, size_t row) {
    const std::string group = groupOf(page, row);
    const std::string name = rowName(page, row);
    return "#" + std::to_string(row) + " '" + (group.empty() ? name : group + "/" + name) + "'";
}

// Edits (insertions, deletions, substitutions) from one text to the other, letters of either case
// the same.
size_t editDistance(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::vector<std::string> rowNames(PSListController& page) {
    std::vector<std::string> names;
    for (size_t i = 0; i < page.rowCount(); ++i) {
        if (isGroup(page, i)) continue;
        std::string name = rowName(page, i);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
    return names;
}

std::string whatExists(const std::string& name, const std::vector<std::string>& names, const std::string& kind) {
    std::string hint;
    size_t best = std::max<size_t>(2, name.size() / 3) + 1;  // closer than this is a typo
    for (const std::string& candidate : names) {
        const size_t distance = editDistance(name, candidate);
        if (distance < best) {
            best = distance;
            hint = " (did you mean '" + candidate + "'?)";
        }
    }
    if (names.empty()) return hint + "; there are no " + kind;
    hint += "; " + kind + ":";
    for (size_t i = 0; i < names.size(); ++i) hint += (i ? ", " : " ") + names[i];
    return hint;
}

std::vector<std::string> textsShown(UIView* cell) {
    std::vector<std::string> texts;
    collectTexts(cell, texts);
    return texts;
}

std::string rowName(PSListController& page, size_t row) {
    std::string name = title(page, row);
    if (!name.empty() || isGroup(page, row)) return name;
    const auto texts = textsShown(page.cellAtRow(row));
    return texts.empty() ? std::string() : texts.front();
}

std::string uniqueRowName(PSListController& page, size_t row) {
    // Whatever findRow takes back to this row alone, so the names and the command line never disagree.
    const auto namesThisRow = [&](const std::string& name) {
        const auto found = findRow(page, name);
        const size_t* index = std::get_if<size_t>(&found);
        return index && *index == row;
    };
    const std::string name = rowName(page, row), group = groupOf(page, row);
    if (!name.empty() && namesThisRow(name)) return name;
    if (!name.empty() && !group.empty() && namesThisRow(group + "/" + name)) return group + "/" + name;
    return "#" + std::to_string(row);
}

std::variant<size_t, std::string> findRow(PSListController& page, const std::string& name) {
    const size_t count = page.rowCount();
    std::vector<size_t> matches;
    std::optional<size_t> group;
    for (size_t i = 0; i < count; ++i) {
        if (isGroup(page, i)) {
            if (!group && title(page, i) == name) group = i;
        } else if (rowName(page, i) == name) {
            matches.push_back(i);
        }
    }
    // "Call Button/Background Colour": a title within its group, tried at every '/' so that either
    // part may hold one itself.
    for (size_t slash = name.find('/'); matches.empty() && slash != std::string::npos; slash = name.find('/', slash + 1)) {
        const std::string groupTitle = name.substr(0, slash), rowTitle = name.substr(slash + 1);
        for (size_t i = 0; i < count; ++i)
            if (!isGroup(page, i) && rowName(page, i) == rowTitle && groupOf(page, i) == groupTitle) matches.push_back(i);
    }
    if (matches.size() == 1) return matches.front();
    if (matches.empty())
        return group ? "'" + name + "' is a group title, not a row"
                     : "no row titled '" + name + "' on this page" + whatExists(name, rowNames(page), "rows");
    std::string problem = "'" + name + "' names " + std::to_string(matches.size()) + " rows:";
    for (size_t i = 0; i < matches.size(); ++i) problem += (i ? ", " : " ") + describe(page, matches[i]);
    return problem + "; name one as GROUP/TITLE or #N";
}

}  // namespace settings
