// The whole device in motion: a Phone app's cold start with the tweak injected, and the time from
// a tap in the Settings app to the relaunched Phone app's report showing the change.

#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "DeviceBuild.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kBin = CORVANE_BIN_DIR;
constexpr const char* kReport = "/var/mobile/Library/MobilePhone/report.json";

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

static void BM_PhoneColdStartWithInjection(benchmark::State& state) {
    ScratchDevice device(DeviceBuild::current());
    const std::vector<std::string> argv{kBin + "/MobilePhone", "--root", device.root, "--report"};
    for (auto _ : state)
        if (runQuietly(argv) != 0) state.SkipWithError("MobilePhone failed");
}
BENCHMARK(BM_PhoneColdStartWithInjection)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_TapToRelaunchedReport(benchmark::State& state) {
    ScratchDevice device(DeviceBuild::current());
    const pid_t launcher = ::fork();
    if (launcher == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        const std::string springboard = kBin + "/SpringBoard";
        ::execl(springboard.c_str(), springboard.c_str(), "--root", device.root.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const std::string report = device.root + kReport;
    auto awaitReport = [&](const std::string& expected) {
        for (int i = 0; i < 20000; ++i) {
            if (readFile(report).find(expected) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return false;
    };
    if (!awaitReport("\"selector\":\"showsPhoneVoicemail\"")) state.SkipWithError("the Phone app never started");
    bool hidden = false;
    for (auto _ : state) {
        // The launcher backs off an app that dies within a second of starting: let it settle first.
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        fs::remove(report);
        hidden = !hidden;
        const auto start = Clock::now();
        runQuietly({kBin + "/Preferences", "--root", device.root, "-c", "open Corvane; tap Settings; tap Hide Voicemail Tab"});
        const std::string expected = std::string("\"selector\":\"showsPhoneVoicemail\",\"sent\":[],\"received\":") +
                                     (hidden ? "null,\"returned\":false" : "[],\"returned\":true");
        if (!awaitReport(expected)) {
            state.SkipWithError("the relaunched Phone app never showed the change");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    ::kill(launcher, SIGTERM);
    ::waitpid(launcher, nullptr, 0);
}
BENCHMARK(BM_TapToRelaunchedReport)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);
