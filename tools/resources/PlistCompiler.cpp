#include "PlistCompiler.h"

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"

namespace {

bool checkStringsTable(const NSDictionary& table, const std::string& sourceName, std::string& error) {
    for (const auto& [key, value] : table) {
        if (key.empty()) {
            error = sourceName + ": a strings table cannot have an empty key";
            return false;
        }
        if (!objc_cast<NSString>(value)) {
            error = sourceName + ": the value of \"" + key + "\" is not a string";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string compilePlist(std::string_view source, const std::string& sourceName, const PlistRules& rules,
                         std::string& error) {
    if (source.size() > plist::kMaxFileBytes) {
        error = sourceName + ": larger than the device reads";
        return {};
    }
    Ref<NSObject> root = plist::parse(source);
    if (!root) {
        error = sourceName + ": not a property list";
        return {};
    }
    auto* dictionary = objc_cast<NSDictionary>(root);
    if (!dictionary) {
        error = sourceName + ": the top level is not a dictionary";
        return {};
    }
    if (rules.stringsTable && !checkStringsTable(*dictionary, sourceName, error)) return {};
    auto encoded = plist::serialize(dictionary, rules.format);
    if (!encoded) {
        error = sourceName + ": cannot be encoded";
        return {};
    }
    return *encoded;
}
