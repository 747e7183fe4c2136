#include "ReaderChecks.h"

#include <string>
#include <vector>

#include "Check.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "ValueTree.h"
#include "plist/PropertyList.h"

namespace fuzzing {
namespace {

constexpr size_t kNodeBudget = 5000;

// Nodes of the value as a tree, counting a shared part once per reference, up to `budget`.
size_t expandedNodes(const NSObject* value, size_t budget) {
    size_t nodes = 1;
    auto visit = [&](const NSObject* child) {
        if (nodes < budget) nodes += expandedNodes(child, budget - nodes);
    };
    if (auto* list = objc_cast<NSArray>(value))
        for (const auto& item : *list) visit(item.get());
    if (auto* dict = objc_cast<NSDictionary>(value))
        for (const auto& [key, item] : *dict) visit(item.get());
    return nodes;
}

// The values of up to eight keys of the dictionary, and of one it lacks, by lookup; `compare` says
// whether to hold them to the full read's.
void checkLookups(std::string_view bytes, const NSObject* full, bool compare) {
    auto* dict = objc_cast<NSDictionary>(full);
    std::vector<std::string_view> keys;
    if (dict)
        for (const auto& [key, value] : *dict)
            if (keys.size() < 8) keys.emplace_back(key);
    std::string absent = "\x01";
    while (dict && dict->objectForKey(absent)) absent += '\x01';
    keys.emplace_back(absent);
    std::vector<Ref<NSObject>> values(keys.size());
    const bool found = plist::dictionaryValues(bytes, keys, values);
    require(found == (dict != nullptr), "the lookups find a dictionary exactly where the full read does");
    if (!dict || !compare) return;
    for (size_t i = 0; i < keys.size(); ++i)
        require(sameTree(dict->objectForKey(keys[i]), values[i]), "a looked-up value is the one the full read gives");
}

void checkReadBack(const NSObject* value) {
    for (const auto format : {plist::Format::Binary, plist::Format::XML}) {
        // The writer may refuse what libplist cannot hold (a date beyond 32-bit seconds).
        const auto written = plist::serialize(value, format);
        if (!written) continue;
        const Ref<NSObject> again = plist::parse(*written);
        require(sameTree(value, again, format == plist::Format::XML ? Written::XML : Written::Binary),
                "what the writer wrote reads back the same");
    }
}

}  // namespace

void checkReader(std::string_view bytes, Reader read, bool itsEncoding) {
    const Ref<NSObject> value = read(bytes);
    const Ref<NSObject> full = plist::parse(bytes);
    const bool small = expandedNodes(full, kNodeBudget) < kNodeBudget && expandedNodes(value, kNodeBudget) < kNodeBudget;
    if (itsEncoding && small) require(sameTree(value, full), "parse reads the bytes as this encoding's reader does");
    checkLookups(bytes, full, small);
    if (value && small) checkReadBack(value);
}

}  // namespace fuzzing
