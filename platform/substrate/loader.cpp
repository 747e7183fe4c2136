#include <dirent.h>
#include <dlfcn.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "device/DevicePath.h"
#include "plist/PropertyList.h"
#include "substrate/substrate.h"

namespace substrate {
namespace {

constexpr const char* kTweakDirectory = "/Library/MobileSubstrate/DynamicLibraries";

struct Process {
    const std::string& bundle;
    const std::string& executable;
};

bool anyString(const NSArray* list, auto&& matches) {
    for (const auto& item : *list)
        if (auto* s = objc_cast<NSString>(item); s && matches(s->str())) return true;
    return false;
}

bool versionMatches(const NSArray* range) {
    auto bound = [&](size_t i) -> std::optional<double> {
        auto* n = objc_cast<NSNumber>(range->objectAtIndex(i));
        return n ? std::optional(n->doubleValue()) : std::nullopt;
    };
    const auto min = bound(0);
    if (!min || kCoreFoundationVersion < *min) return false;
    const auto max = range->count() > 1 ? bound(1) : std::nullopt;
    return !max || kCoreFoundationVersion < *max;
}

// Each list present must match (one entry is enough), or any one list when Mode is "Any". A filter
// with no list it understands matches nothing.
bool filterMatches(const NSDictionary* filter, const Process& process) {
    std::vector<bool> results;
    if (auto* l = objc_cast<NSArray>(filter->objectForKey("Bundles")))
        results.push_back(anyString(l, [&](const std::string& s) { return s == process.bundle; }));
    if (auto* l = objc_cast<NSArray>(filter->objectForKey("Executables")))
        results.push_back(anyString(l, [&](const std::string& s) { return s == process.executable; }));
    if (auto* l = objc_cast<NSArray>(filter->objectForKey("Classes")))
        results.push_back(anyString(l, [](const std::string& s) { return objc_getClass(s) != nullptr; }));
    if (auto* l = objc_cast<NSArray>(filter->objectForKey("CoreFoundationVersion")))
        results.push_back(versionMatches(l));
    if (results.empty()) return false;
    auto* mode = objc_cast<NSString>(filter->objectForKey("Mode"));
    if (mode && mode->str() == "Any") return std::find(results.begin(), results.end(), true) != results.end();
    return std::find(results.begin(), results.end(), false) == results.end();
}

// Whether the library `name`.dylib belongs in this process, from its `name`.plist beside it.
bool shouldLoad(const std::string& directory, const std::string& name, const Process& process) {
    const std::string plistPath = directory + "/" + name + ".plist";
    if (access(plistPath.c_str(), F_OK) != 0) return true;  // no filter at all: every process
    std::string why;
    const Ref<NSObject> contents = plist::readFile(plistPath, &why);
    auto* root = objc_cast<NSDictionary>(contents.get());
    const NSObject* filter = root ? root->objectForKey("Filter") : nullptr;
    if (!root || (filter && !objc_cast<NSDictionary>(filter))) {
        if (contents) why = root ? "its Filter is not a dictionary" : "its top value is not a dictionary";
        NSLog("MS:Error: unreadable filter %s.plist (%s); %s.dylib not loaded", name.c_str(), why.c_str(), name.c_str());
        return false;
    }
    return !filter || filterMatches(objc_cast<NSDictionary>(filter), process);
}

std::vector<std::string> libraryNames(const std::string& directory) {
    std::vector<std::string> names;
    DIR* dir = opendir(directory.c_str());
    if (!dir) return names;
    while (dirent* entry = readdir(dir)) {
        std::string file = entry->d_name;
        if (file.size() > 6 && file.compare(file.size() - 6, 6, ".dylib") == 0) names.push_back(file.substr(0, file.size() - 6));
    }
    closedir(dir);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
    return names;
}

}  // namespace

std::vector<std::string> loadTweaks(const std::string& bundleIdentifier, const std::string& executableName) {
    const Process process{bundleIdentifier, executableName};
    const std::string directory = device::resolve(kTweakDirectory);
    std::vector<std::string> loaded;
    for (const std::string& name : libraryNames(directory)) {
        if (!shouldLoad(directory, name, process)) continue;
        const std::string path = directory + "/" + name + ".dylib";
        // Never closed: a hook library's replacements stay installed for the life of the process.
        if (!dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
            NSLog("MS:Error: %s", dlerror());
            continue;
        }
        loaded.push_back(name + ".dylib");
    }
    return loaded;
}

}  // namespace substrate
