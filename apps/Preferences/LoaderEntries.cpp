#include "LoaderEntries.h"

#include <algorithm>
#include <filesystem>
#include <strings.h>
#include <variant>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "device/DevicePath.h"
#include "plist/PropertyList.h"

namespace settings {
namespace {

std::optional<std::string> textOf(const NSDictionary& entry, const char* key) {
    auto* value = objc_cast<NSString>(entry.objectForKey(key));
    if (!value || value->str().empty()) return std::nullopt;
    return value->str();
}

// A bundle name stays one directory below the bundles directory.
bool isPlainName(const std::string& name) {
    return name.find('/') == std::string::npos && name != "." && name != "..";
}

std::variant<LoaderEntry, std::string> readEntry(const std::string& devicePath) {
    Ref<NSObject> contents = plist::readFile(device::resolve(devicePath));
    if (!contents) return std::string("not a readable property list");
    auto* top = objc_cast<NSDictionary>(contents.get());
    auto* entry = top ? objc_cast<NSDictionary>(top->objectForKey("entry")) : nullptr;
    if (!entry) return std::string("no \"entry\" dictionary");
    auto bundle = textOf(*entry, "bundle");
    auto label = textOf(*entry, "label");
    if (!bundle || !isPlainName(*bundle)) return std::string("the entry names no bundle");
    if (!label) return std::string("the entry has no label");
    return LoaderEntry{devicePath, *label, *bundle, textOf(*entry, "detail"), textOf(*entry, "icon")};
}

}  // namespace

LoaderScan scanLoaderEntries() {
    namespace fs = std::filesystem;
    LoaderScan scan;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(device::resolve(kLoaderEntriesDirectory), error), end; !error && it != end;
         it.increment(error)) {
        const fs::path& file = it->path();
        if (file.extension() == ".plist") names.push_back(file.filename().string());
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string devicePath = std::string(kLoaderEntriesDirectory) + "/" + name;
        auto result = readEntry(devicePath);
        if (auto* entry = std::get_if<LoaderEntry>(&result))
            scan.entries.push_back(std::move(*entry));
        else
            scan.problems.push_back(devicePath + ": " + std::get<std::string>(result));
    }
    std::stable_sort(scan.entries.begin(), scan.entries.end(), [](const LoaderEntry& a, const LoaderEntry& b) {
        return ::strcasecmp(a.label.c_str(), b.label.c_str()) < 0;
    });
    return scan;
}

}  // namespace settings
