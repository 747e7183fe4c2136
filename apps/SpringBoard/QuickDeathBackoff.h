#pragma once
// How long to wait before relaunching an app that keeps dying as soon as it starts, so a broken
// app (or tweak) does not spin the device.

#include <chrono>

namespace springboard {

class QuickDeathBackoff {
public:
    using Duration = std::chrono::milliseconds;

    static constexpr auto kQuickDeath = std::chrono::seconds(1);  // a life shorter than this is a quick death
    static constexpr int kToleratedQuickDeaths = 2;               // relaunched at once
    static constexpr Duration kFirstDelay{500};
    static constexpr Duration kLongestDelay{4000};

    // Records one end of the app, `lived` after its launch; returns the pause before the next launch.
    Duration afterExit(std::chrono::steady_clock::duration lived);
    int quickDeathsInARow() const { return quickDeaths_; }

private:
    int quickDeaths_ = 0;
};

}  // namespace springboard
