#include "ScreenRoute.h"

#include <algorithm>

namespace simulator {

void ScreenRoute::started(const std::string& screen) { first_ = screen; }

void ScreenRoute::arrived(const std::string& command, bool onlyNavigates, const std::string& screen) {
    // Back on a screen of the way (the first one, or one after going back): the way ends there.
    if (!screen.empty() && screen == first_) {
        steps_.clear();
        lost_ = false;
        return;
    }
    const auto known =
        std::find_if(steps_.begin(), steps_.end(), [&](const Step& step) { return step.screen == screen; });
    if (!screen.empty() && known != steps_.end()) {
        steps_.erase(known + 1, steps_.end());
        lost_ = false;
        return;
    }
    // A new screen: a step of the way only when the way is known and the step can be done again.
    if (screen.empty() || lost_ || !onlyNavigates) {
        lost_ = true;
        return;
    }
    steps_.push_back({command, screen});
}

}  // namespace simulator
