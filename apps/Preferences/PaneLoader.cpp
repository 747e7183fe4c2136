#include "PaneLoader.h"

#include <dlfcn.h>

#include "Foundation/NSBundle.h"
#include "device/DevicePath.h"

namespace settings {
namespace {

std::string textOr(const NSObject* value, std::string fallback) {
    auto* text = objc_cast<NSString>(value);
    return text && !text->str().empty() ? text->str() : fallback;
}

}  // namespace

std::variant<Ref<UIViewController>, std::string> loadPane(const LoaderEntry& entry) {
    NSBundle* bundle = NSBundle::bundleWithPath(device::resolve(entry.bundlePath()));
    if (!bundle) return "no bundle at " + entry.bundlePath();
    const std::string executable = textOr(bundle->objectForInfoDictionaryKey("CFBundleExecutable"), entry.bundle);
    if (executable.find('/') != std::string::npos) return "the bundle's executable '" + executable + "' is not a file name";
    const std::string file = bundle->bundlePath() + "/" + executable;
    if (!::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        const char* reason = ::dlerror();
        return "cannot load " + entry.bundlePath() + "/" + executable + ": " + (reason ? reason : "unknown error");
    }
    const std::string className =
        entry.detail ? *entry.detail : textOr(bundle->objectForInfoDictionaryKey("NSPrincipalClass"), "");
    if (className.empty()) return entry.bundlePath() + " names no root class";
    Class cls = objc_getClass(className);
    if (!cls) return "class " + className + " is not loaded";
    if (!cls->isSubclassOf(UIViewController::class_())) return "class " + className + " is not a view controller";
    Ref<NSObject> instance = cls->createInstance();
    Ref<UIViewController> controller = objc_cast<UIViewController>(instance.get());
    if (!controller) return "class " + className + " cannot be created";
    return controller;
}

}  // namespace settings
