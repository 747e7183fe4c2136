// Whole pictures of the device, each drawn by a program of its own as a person's request would:
// the Settings app drawing the pane's pages, the Phone app drawing its dialer. With a baseline
// build named, its programs are timed beside these in the same run.

#include <benchmark/benchmark.h>

#include <string>

#include "DeviceBuild.h"

namespace {

void preferencesRender(benchmark::State& state, const DeviceBuild& build) {
    ScratchDevice device(build);
    const std::string picture = device.root + "/page.png";
    const std::vector<std::string> argv{build.bin + "/Preferences", "--root", device.root, "-c",
                                        "open Corvane; render " + picture + "; tap Settings; render " + picture};
    for (auto _ : state)
        if (runQuietly(argv) != 0) state.SkipWithError("Preferences failed");
}

void mobilePhoneRender(benchmark::State& state, const DeviceBuild& build) {
    ScratchDevice device(build);
    const std::vector<std::string> argv{build.bin + "/MobilePhone", "--root", device.root, "--render",
                                        device.root + "/dialer.png"};
    for (auto _ : state)
        if (runQuietly(argv) != 0) state.SkipWithError("MobilePhone failed");
}

void registerFor(const std::string& suffix, const DeviceBuild& build) {
    benchmark::RegisterBenchmark(("BM_PreferencesRender" + suffix).c_str(), preferencesRender, build)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("BM_MobilePhoneRender" + suffix).c_str(), mobilePhoneRender, build)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

const bool registered = [] {
    registerFor("", DeviceBuild::current());
    if (auto baseline = DeviceBuild::baseline()) registerFor("/baseline", *baseline);
    return true;
}();

}  // namespace
