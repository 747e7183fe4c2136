#include "QuickDeathBackoff.h"

#include <algorithm>

namespace springboard {

QuickDeathBackoff::Duration QuickDeathBackoff::afterExit(std::chrono::steady_clock::duration lived) {
    if (lived >= kQuickDeath) {
        quickDeaths_ = 0;
        return Duration::zero();
    }
    ++quickDeaths_;
    if (quickDeaths_ <= kToleratedQuickDeaths) return Duration::zero();
    Duration delay = kFirstDelay;
    for (int i = kToleratedQuickDeaths + 1; i < quickDeaths_ && delay < kLongestDelay; ++i) delay *= 2;
    return std::min(delay, kLongestDelay);
}

}  // namespace springboard
