#include "StringsTables.h"

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "ResourcePaths.h"
#include "plist/PropertyList.h"

std::optional<StringsTable> readStringsTable(const std::string& path) {
    Ref<NSObject> root = plist::readFile(path);
    auto* dictionary = objc_cast<NSDictionary>(root);
    if (!dictionary) return std::nullopt;
    StringsTable table;
    for (const auto& [key, value] : *dictionary) {
        auto* text = objc_cast<NSString>(value);
        if (!text) return std::nullopt;
        table[key] = text->str();
    }
    return table;
}

std::string stagedTablePath(const std::string& language) {
    return resources::bundleDir() + "/" + language + ".lproj/Localizable.strings";
}

std::string sourceTablePath(const std::string& language) {
    return resources::sourceDir() + "/bundle/" + language + ".lproj/Localizable.strings";
}
