// Opening URLs in other applications: which installed application declares a scheme, and a record
// of what was opened, since the simulated device has no other application to switch to.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSURL.h"
#include "UIKit/UIApplication.h"
#include "device/DevicePath.h"

namespace {

constexpr const char* kApplicationsDirectory = "/Applications";

std::vector<std::string>& opened() {
    static std::vector<std::string> urls;
    return urls;
}

UIApplication::OpenURLObserver& observer() {
    static UIApplication::OpenURLObserver o;
    return o;
}

// Schemes are case-insensitive.
bool sameScheme(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// Whether an application's Info.plist lists the scheme under CFBundleURLTypes / CFBundleURLSchemes.
// Anything of another shape in the file declares nothing.
bool declaresScheme(const NSDictionary& info, std::string_view scheme) {
    auto* types = objc_cast<NSArray>(info.objectForKey("CFBundleURLTypes"));
    if (!types) return false;
    for (const auto& type : *types) {
        auto* entry = objc_cast<NSDictionary>(type.get());
        auto* schemes = entry ? objc_cast<NSArray>(entry->objectForKey("CFBundleURLSchemes")) : nullptr;
        if (!schemes) continue;
        for (const auto& candidate : *schemes)
            if (auto* name = objc_cast<NSString>(candidate.get()); name && sameScheme(name->str(), scheme)) return true;
    }
    return false;
}

// Looked up afresh on every ask, as installing or removing an application changes the answer.
bool installedApplicationHandles(std::string_view scheme) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator apps(device::resolve(kApplicationsDirectory), error);
    if (error) return false;
    for (const auto& app : apps) {
        const std::string name = app.path().filename().string();
        if (!name.ends_with(".app")) continue;
        auto info = NSDictionary::dictionaryWithContentsOfFile(std::string(kApplicationsDirectory) + "/" + name + "/Info.plist");
        if (info && declaresScheme(*info, scheme)) return true;
    }
    return false;
}

}  // namespace

BOOL UIApplication::canOpenURL(const NSURL* url) const {
    if (!url) return NO;
    const std::string scheme = url->scheme();
    if (scheme.empty()) return NO;
    // The browser is always there.
    if (sameScheme(scheme, "http") || sameScheme(scheme, "https")) return YES;
    return installedApplicationHandles(scheme);
}

BOOL UIApplication::openURL(const NSURL* url) {
    if (!canOpenURL(url)) return NO;
    opened().push_back(url->absoluteString());
    if (observer()) observer()(url->absoluteString());
    return YES;
}

const std::vector<std::string>& UIApplication::openedURLs() { return opened(); }

void UIApplication::clearOpenedURLs() { opened().clear(); }

void UIApplication::setOpenURLObserver(OpenURLObserver o) { observer() = std::move(o); }
