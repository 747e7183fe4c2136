// Hook calls through the message send, reading the preference file in each encoding, against the
// floor: opening, reading and closing the same file without parsing it. Each benchmark writes the
// file into a device root of its own.

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "ScratchRoot.h"
#include "UIKit/UIApplication.h"
#include "device/AtomicFile.h"
#include "objc/message.h"
#include "plist/PropertyList.h"

namespace {

// The Phone app's application class and call button, so the hook library finds something to hook.
class MobilePhoneApplication : public UIApplication {
    OBJC_INTERFACE(MobilePhoneApplication, UIApplication)

public:
    MobilePhoneApplication() = default;
};

class TPSuperBottomBarButton : public NSObject {
    OBJC_INTERFACE(TPSuperBottomBarButton, NSObject)

public:
    TPSuperBottomBarButton() = default;
};

constexpr const char* kPrefs = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";

// Loaded once: a hook library is never unloaded.
void loadHookLibrary() {
    static const bool loaded = dlopen(CORVANE_HOOK_LIBRARY, RTLD_NOW | RTLD_GLOBAL) != nullptr;
    if (!loaded) std::abort();
}

// A device root holding a preference file like the pane writes.
struct PreferenceDevice : ScratchRoot {
    explicit PreferenceDevice(plist::Format format) {
        loadHookLibrary();
        auto prefs = NSDictionary::dictionaryWithObjectsAndKeys(
            {{"kLCD", NSNumber::numberWithBool(false)}, {"Blur", NSNumber::numberWithBool(true)},
             {"ButtonColor", NSNumber::numberWithBool(false)}, {"kStatus", NSNumber::numberWithBool(false)},
             {"enabled", NSNumber::numberWithBool(true)}, {"tab", NSNumber::numberWithBool(true)},
             {"kVoice", NSNumber::numberWithBool(true)}, {"fgc", NSNumber::numberWithInteger(2)},
             {"bgc", NSNumber::numberWithInteger(4)}, {"call", NSNumber::numberWithInteger(13)}});
        device::writeFileAtomically(file, *plist::serialize(prefs, format));
    }
    const std::string file = path + kPrefs;
};

void hookCall(benchmark::State& state, plist::Format format) {
    PreferenceDevice device(format);
    Ref<MobilePhoneApplication> app = make<MobilePhoneApplication>();
    SEL sel = SELECTOR("showsPhoneVoicemail");
    if (objc_msgSend<BOOL()>(app.get(), sel)) state.SkipWithError("hook not installed");
    for (auto _ : state) benchmark::DoNotOptimize(objc_msgSend<BOOL()>(app.get(), sel));
}

}  // namespace

OBJC_IMPLEMENTATION(MobilePhoneApplication, objc::method("showsPhoneVoicemail", [](id, SEL) -> BOOL { return YES; }))
OBJC_IMPLEMENTATION(TPSuperBottomBarButton, objc::method("setBackgroundColor:", [](id, SEL, id colour) {
                        benchmark::DoNotOptimize(colour);
                    }))

static void BM_HookCallBinary(benchmark::State& state) { hookCall(state, plist::Format::Binary); }
BENCHMARK(BM_HookCallBinary);

static void BM_HookCallXML(benchmark::State& state) { hookCall(state, plist::Format::XML); }
BENCHMARK(BM_HookCallXML);

// The call button's hook: two remembered values read from the binary file, then a colour looked up.
static void BM_RememberedRead(benchmark::State& state) {
    PreferenceDevice device(plist::Format::Binary);
    Ref<TPSuperBottomBarButton> button = make<TPSuperBottomBarButton>();
    SEL sel = SELECTOR("setBackgroundColor:");
    for (auto _ : state) objc_msgSend<void(id)>(button.get(), sel, nullptr);
}
BENCHMARK(BM_RememberedRead);

static void BM_ReadFileFloor(benchmark::State& state) {
    PreferenceDevice device(plist::Format::Binary);
    char buffer[16384];
    for (auto _ : state) {
        const int fd = ::open(device.file.c_str(), O_RDONLY | O_CLOEXEC);
        benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
        ::close(fd);
    }
}
BENCHMARK(BM_ReadFileFloor);
