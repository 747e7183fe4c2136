// Hook calls through the message send, reading the preference file in each encoding, against the
// floor: opening, reading and closing the same file without parsing it. Each benchmark writes the
// file into a device root of its own.

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
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

// A preference file like the pane writes, with the call button's colour given.
std::string preferenceBytes(plist::Format format, int call) {
    auto prefs = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"kLCD", NSNumber::numberWithBool(false)}, {"Blur", NSNumber::numberWithBool(true)},
         {"ButtonColor", NSNumber::numberWithBool(false)}, {"kStatus", NSNumber::numberWithBool(false)},
         {"enabled", NSNumber::numberWithBool(true)}, {"tab", NSNumber::numberWithBool(true)},
         {"kVoice", NSNumber::numberWithBool(true)}, {"fgc", NSNumber::numberWithInteger(2)},
         {"bgc", NSNumber::numberWithInteger(4)}, {"call", NSNumber::numberWithInteger(call)}});
    return *plist::serialize(prefs, format);
}

// A device root holding that file.
struct PreferenceDevice : ScratchRoot {
    explicit PreferenceDevice(plist::Format format) {
        loadHookLibrary();
        device::writeFileAtomically(file, preferenceBytes(format, 13));
    }
    const std::string file = path + kPrefs;
};

// Opening, reading and closing the file, as a read must at the least.
void readFloor(const std::string& file) {
    char buffer[16384];
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
    ::close(fd);
}

// The read's time and the floor's, summed over a benchmark; the counter x_floor is their ratio.
struct AgainstFloor {
    using Clock = std::chrono::steady_clock;
    Clock::duration reading{}, floor{};
    void report(benchmark::State& state) const {
        state.counters["x_floor"] = static_cast<double>(reading.count()) / static_cast<double>(floor.count());
    }
};

// Times batches of `read` and of the floor in turn, so that both see the same machine however its
// load drifts.
template <class Read>
void againstFloor(benchmark::State& state, const std::string& file, Read&& read) {
    using Clock = AgainstFloor::Clock;
    constexpr int kBatch = 8;
    AgainstFloor times;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int i = 0; i < kBatch; ++i) read();
        const auto middle = Clock::now();
        for (int i = 0; i < kBatch; ++i) readFloor(file);
        const auto end = Clock::now();
        times.reading += middle - start;
        times.floor += end - middle;
        state.SetIterationTime(std::chrono::duration<double>(middle - start).count() / kBatch);
    }
    times.report(state);
}

// The same, with the file written anew (untimed) before each read, so no read finds the bytes it
// read last: what a read costs the first time after the pane saves.
template <class Read>
void againstFloorChanged(benchmark::State& state, const std::string& file, const std::string (&versions)[2], Read&& read) {
    using Clock = AgainstFloor::Clock;
    AgainstFloor times;
    size_t n = 0;
    for (auto _ : state) {
        device::writeFileAtomically(file, versions[n++ % 2]);
        readFloor(file);  // the first open of a new file costs more, whoever opens it
        const auto start = Clock::now();
        readFloor(file);
        const auto middle = Clock::now();
        read();
        const auto end = Clock::now();
        times.floor += middle - start;
        times.reading += end - middle;
        state.SetIterationTime(std::chrono::duration<double>(end - middle).count());
    }
    times.report(state);
}

void hookCall(benchmark::State& state, plist::Format format) {
    PreferenceDevice device(format);
    Ref<MobilePhoneApplication> app = make<MobilePhoneApplication>();
    SEL sel = SELECTOR("showsPhoneVoicemail");
    if (objc_msgSend<BOOL()>(app.get(), sel)) state.SkipWithError("hook not installed");
    againstFloor(state, device.file, [&] { benchmark::DoNotOptimize(objc_msgSend<BOOL()>(app.get(), sel)); });
}

}  // namespace

OBJC_IMPLEMENTATION(MobilePhoneApplication, objc::method("showsPhoneVoicemail", [](id, SEL) -> BOOL { return YES; }))
OBJC_IMPLEMENTATION(TPSuperBottomBarButton, objc::method("setBackgroundColor:", [](id, SEL, id colour) {
                        benchmark::DoNotOptimize(colour);
                    }))

// Just after the pane saved: the file's bytes differ from the last read's.
void hookCallChanged(benchmark::State& state, plist::Format format) {
    PreferenceDevice device(format);
    const std::string versions[2] = {preferenceBytes(format, 13), preferenceBytes(format, 14)};
    Ref<MobilePhoneApplication> app = make<MobilePhoneApplication>();
    SEL sel = SELECTOR("showsPhoneVoicemail");
    againstFloorChanged(state, device.file, versions, [&] { benchmark::DoNotOptimize(objc_msgSend<BOOL()>(app.get(), sel)); });
}

static void BM_HookCallBinary(benchmark::State& state) { hookCall(state, plist::Format::Binary); }
BENCHMARK(BM_HookCallBinary)->UseManualTime();

static void BM_HookCallXML(benchmark::State& state) { hookCall(state, plist::Format::XML); }
BENCHMARK(BM_HookCallXML)->UseManualTime();

static void BM_HookCallChangedBinary(benchmark::State& state) { hookCallChanged(state, plist::Format::Binary); }
BENCHMARK(BM_HookCallChangedBinary)->UseManualTime();

static void BM_HookCallChangedXML(benchmark::State& state) { hookCallChanged(state, plist::Format::XML); }
BENCHMARK(BM_HookCallChangedXML)->UseManualTime();

// The call button's hook: two remembered values read from the binary file, then a colour looked up.
static void BM_RememberedRead(benchmark::State& state) {
    PreferenceDevice device(plist::Format::Binary);
    Ref<TPSuperBottomBarButton> button = make<TPSuperBottomBarButton>();
    SEL sel = SELECTOR("setBackgroundColor:");
    againstFloor(state, device.file, [&] { objc_msgSend<void(id)>(button.get(), sel, nullptr); });
}
BENCHMARK(BM_RememberedRead)->UseManualTime();

static void BM_ReadFileFloor(benchmark::State& state) {
    PreferenceDevice device(plist::Format::Binary);
    for (auto _ : state) readFloor(device.file);
}
BENCHMARK(BM_ReadFileFloor);
