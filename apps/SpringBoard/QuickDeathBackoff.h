#pragma once
// How long to wait before relaunching an app that keeps crashing as soon as it starts, so a broken
// app (or tweak) does not spin the device.
//
// Only crashes count. An app ended from outside (the settings pane's "killall -9 MobilePhone", a
// SIGTERM, a person's kill) was restarted, not broken, however soon after its launch: a burst of
// setting changes must relaunch it at once every time. What the launcher sees of an end is its wait
// status, so the kind of end decides: a crash is a non-zero exit status (the app gave up, or could
// not be started) or a signal the app's own fault raises (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT,
// SIGTRAP, SIGSYS, SIGXCPU, SIGXFSZ); an exit with status 0 (the app ends so only when asked) and
// any other signal (SIGKILL, SIGTERM, SIGINT, SIGHUP, ...) are ends from outside.

#include <chrono>

namespace springboard {

class QuickDeathBackoff {
public:
    using Duration = std::chrono::milliseconds;

    static constexpr auto kQuickDeath = std::chrono::seconds(1);  // a crash sooner than this is a quick death
    static constexpr int kToleratedQuickDeaths = 2;               // relaunched at once
    static constexpr Duration kFirstDelay{500};
    static constexpr Duration kLongestDelay{4000};

    // Whether a wait status is the end of a crash.
    static bool isCrash(int waitStatus);

    // Records one end of the app, `lived` after its launch; returns the pause before the next
    // launch. An app that lived long enough starts the count again; a quick end from outside
    // neither counts nor starts it again.
    Duration afterExit(std::chrono::steady_clock::duration lived, bool crashed);
    int quickDeathsInARow() const { return quickDeaths_; }

private:
    int quickDeaths_ = 0;
};

}  // namespace springboard
