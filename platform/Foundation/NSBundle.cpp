#include "Foundation/NSBundle.h"

#include <dirent.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

#include "Foundation/NSLocale.h"
#include "Foundation/NSLog.h"
#include "PropertyListFiles.h"

OBJC_IMPLEMENTATION(NSBundle)

namespace {

constexpr std::string_view kDefaultTable = "Localizable";

struct Registry {
    std::mutex lock;
    std::map<std::string, Ref<NSBundle>, std::less<>> bundles;
};

// Never destroyed: bundles live as long as the process, as the code they describe does.
Registry& registry() {
    static auto* r = new Registry;
    return *r;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string directoryOf(const std::string& file) {
    const size_t slash = file.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

std::string executablePath() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

// A relative path that stays inside the bundle: no leading '/', no ".." component, no NUL.
bool staysInside(std::string_view relative) {
    if (relative.empty() || relative.front() == '/' || relative.find('\0') != std::string_view::npos) return false;
    size_t start = 0;
    while (start <= relative.size()) {
        const size_t end = std::min(relative.find('/', start), relative.size());
        if (relative.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

std::string lprojOf(std::string_view localization) { return std::string(localization) + ".lproj"; }

}  // namespace

NSBundle* NSBundle::bundleWithPath(std::string_view path) {
    if (path.empty() || path.find('\0') != std::string_view::npos) return nullptr;
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(std::string(path).c_str(), nullptr), &std::free);
    if (!real || !isDirectory(real.get())) return nullptr;
    const std::string canonical = real.get();
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    Ref<NSBundle>& slot = r.bundles[canonical];
    if (!slot) slot = Ref<NSBundle>(new NSBundle(canonical));
    return slot.get();
}

NSBundle* NSBundle::bundleForClass(Class cls) {
    if (!cls || !cls->image()) return nullptr;
    Dl_info info{};
    link_map* object = nullptr;
    if (!::dladdr1(cls->image(), &info, reinterpret_cast<void**>(&object), RTLD_DL_LINKMAP) || !object)
        return nullptr;
    // The executable's own entry has no name; its file is found through /proc.
    const std::string file = object->l_name && object->l_name[0] ? object->l_name : executablePath();
    return file.empty() ? nullptr : bundleWithPath(directoryOf(file));
}

NSBundle* NSBundle::mainBundle() {
    const std::string file = executablePath();
    return file.empty() ? nullptr : bundleWithPath(directoryOf(file));
}

std::optional<std::string> NSBundle::pathForResource(std::string_view name, std::string_view type) const {
    std::string file(name);
    if (!type.empty()) file += (type.front() == '.' ? "" : ".") + std::string(type);
    if (!staysInside(file)) return std::nullopt;
    std::vector<std::string> candidates{path_ + "/" + file};
    if (auto localization = preferredLocalization())
        candidates.push_back(path_ + "/" + lprojOf(*localization) + "/" + file);
    for (const auto& candidate : candidates)
        if (isRegularFile(candidate)) return candidate;
    return std::nullopt;
}

Ref<NSDictionary> NSBundle::readDictionary(const std::string& relativePath) const {
    const std::string file = path_ + "/" + relativePath;
    if (!isRegularFile(file)) return nullptr;
    Ref<NSDictionary> dictionary = dictionaryFromFile(SELECTOR("dictionaryWithContentsOfHostFile:"), file);
    if (!dictionary) NSLog("NSBundle: %s is not a property-list dictionary; ignored", file.c_str());
    return dictionary;
}

NSDictionary* NSBundle::infoDictionary() const {
    std::lock_guard guard(lock_);
    if (!info_) {
        Ref<NSDictionary> info = readDictionary("Info.plist");
        info_ = info ? info : make<NSDictionary>();
    }
    return info_->get();
}

const std::vector<std::string>& NSBundle::localizations() const {
    std::lock_guard guard(lock_);
    if (!localizations_) {
        std::vector<std::string> found;
        if (DIR* dir = ::opendir(path_.c_str())) {
            constexpr std::string_view suffix = ".lproj";
            while (const dirent* entry = ::readdir(dir)) {
                const std::string_view name = entry->d_name;
                if (name.size() > suffix.size() && name.ends_with(suffix) && isDirectory(path_ + "/" + std::string(name)))
                    found.emplace_back(name.substr(0, name.size() - suffix.size()));
            }
            ::closedir(dir);
        }
        std::sort(found.begin(), found.end());
        localizations_ = std::move(found);
    }
    return *localizations_;
}

std::optional<std::string> NSBundle::preferredLocalization() const {
    const auto& available = localizations();
    auto has = [&](std::string_view l) { return std::binary_search(available.begin(), available.end(), l); };
    const Ref<NSArray> languages = NSLocale::preferredLanguages();
    for (const auto& item : *languages) {
        const std::string& language = static_cast<const NSString*>(item.get())->str();
        if (has(language)) return language;
        const size_t region = language.find_first_of("-_");
        if (region != std::string::npos && has(std::string_view(language).substr(0, region)))
            return language.substr(0, region);
    }
    for (const char* fallback : {"en", "Base"})
        if (has(fallback)) return fallback;
    return std::nullopt;
}

NSDictionary* NSBundle::stringsTable(std::string_view table, const std::optional<std::string>& localization) const {
    const std::string file = std::string(table) + ".strings";
    if (!staysInside(file)) return nullptr;
    std::lock_guard guard(lock_);
    auto key = std::make_pair(file, localization.value_or(""));
    if (auto it = tables_.find(key); it != tables_.end()) return it->second.get();
    Ref<NSDictionary> entries;
    if (localization && isRegularFile(path_ + "/" + lprojOf(*localization) + "/" + file))
        entries = readDictionary(lprojOf(*localization) + "/" + file);
    else
        entries = readDictionary(file);
    return tables_.emplace(std::move(key), std::move(entries)).first->second.get();
}

NSString* NSBundle::tableEntry(std::string_view key, std::string_view table) const {
    NSDictionary* entries = stringsTable(table.empty() ? kDefaultTable : table, preferredLocalization());
    return entries ? objc_cast<NSString>(entries->objectForKey(key)) : nullptr;
}

std::string NSBundle::localizedString(std::string_view key, std::string_view value, std::string_view table) const {
    if (NSString* text = tableEntry(key, table)) return text->str();
    return std::string(value.empty() ? key : value);
}

Ref<NSString> NSBundle::localizedStringForKey(const NSString* key, const NSString* value, const NSString* table) const {
    // Strings never change once made, so handing back the caller's own objects is safe.
    auto own = [](const NSString* s) { return Ref<NSString>(const_cast<NSString*>(s)); };
    if (!key) return value ? own(value) : NSString::string("");
    if (NSString* text = tableEntry(key->str(), table ? std::string_view(table->str()) : kDefaultTable))
        return text;
    return value && value->length() > 0 ? own(value) : own(key);
}
