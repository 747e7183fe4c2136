#include "QuickDeathBackoff.h"

#include <sys/wait.h>

#include <algorithm>
#include <csignal>

namespace springboard {

bool QuickDeathBackoff::isCrash(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus) != 0;
    if (!WIFSIGNALED(waitStatus)) return false;
    switch (WTERMSIG(waitStatus)) {
        case SIGSEGV: case SIGBUS: case SIGILL: case SIGFPE: case SIGABRT:
        case SIGTRAP: case SIGSYS: case SIGXCPU: case SIGXFSZ: return true;
        default: return false;
    }
}

QuickDeathBackoff::Duration QuickDeathBackoff::afterExit(std::chrono::steady_clock::duration lived, bool crashed) {
    if (lived >= kQuickDeath) {
        quickDeaths_ = 0;
        return Duration::zero();
    }
    if (!crashed) return Duration::zero();
    ++quickDeaths_;
    if (quickDeaths_ <= kToleratedQuickDeaths) return Duration::zero();
    Duration delay = kFirstDelay;
    for (int i = kToleratedQuickDeaths + 1; i < quickDeaths_ && delay < kLongestDelay; ++i) delay *= 2;
    return std::min(delay, kLongestDelay);
}

}  // namespace springboard
