// One boolean hook call through the message send, reading the preference file in each encoding,
// against the floor: opening, reading and closing the same file without parsing it.

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "Foundation/AtomicFile.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/PropertyList.h"
#include "UIKit/UIApplication.h"
#include "objc/message.h"

namespace {

// The Phone app's application class, so the hook library finds something to hook.
class MobilePhoneApplication : public UIApplication {
    OBJC_INTERFACE(MobilePhoneApplication, UIApplication)

public:
    MobilePhoneApplication() = default;
};

constexpr const char* kPrefs = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";

// A scratch device holding a preference file like the pane writes, and the hook library loaded.
struct Device {
    Device() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        ::setenv("SIMULATOR_ROOT", root.c_str(), 1);
        if (!dlopen(CORVANE_HOOK_LIBRARY, RTLD_NOW | RTLD_GLOBAL)) std::abort();
    }
    ~Device() { std::filesystem::remove_all(root); }

    void write(plist::Format format) {
        auto prefs = NSDictionary::dictionaryWithObjectsAndKeys(
            {{"kLCD", NSNumber::numberWithBool(false)}, {"Blur", NSNumber::numberWithBool(true)},
             {"ButtonColor", NSNumber::numberWithBool(false)}, {"kStatus", NSNumber::numberWithBool(false)},
             {"enabled", NSNumber::numberWithBool(true)}, {"tab", NSNumber::numberWithBool(true)},
             {"kVoice", NSNumber::numberWithBool(true)}, {"fgc", NSNumber::numberWithInteger(2)},
             {"bgc", NSNumber::numberWithInteger(4)}, {"call", NSNumber::numberWithInteger(13)}});
        device::writeFileAtomically(root + kPrefs, *plist::serialize(prefs, format));
    }
    std::string root;
};

Device& scratchDevice() {
    static Device d;
    return d;
}

void hookCall(benchmark::State& state, plist::Format format) {
    scratchDevice().write(format);
    Ref<MobilePhoneApplication> app = make<MobilePhoneApplication>();
    SEL sel = SELECTOR("showsPhoneVoicemail");
    if (objc_msgSend<BOOL()>(app.get(), sel)) state.SkipWithError("hook not installed");
    for (auto _ : state) benchmark::DoNotOptimize(objc_msgSend<BOOL()>(app.get(), sel));
}

}  // namespace

OBJC_IMPLEMENTATION(MobilePhoneApplication, objc::method("showsPhoneVoicemail", [](id, SEL) -> BOOL { return YES; }))

static void BM_HookCallBinary(benchmark::State& state) { hookCall(state, plist::Format::Binary); }
BENCHMARK(BM_HookCallBinary);

static void BM_HookCallXML(benchmark::State& state) { hookCall(state, plist::Format::XML); }
BENCHMARK(BM_HookCallXML);

static void BM_ReadFileFloor(benchmark::State& state) {
    scratchDevice().write(plist::Format::Binary);
    const std::string path = scratchDevice().root + kPrefs;
    char buffer[16384];
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
        ::close(fd);
    }
}
BENCHMARK(BM_ReadFileFloor);
