#pragma once
// The way to the screen the Settings app shows: the touches that led there from the pane's first
// screen, each with the screen it led to (a screen is known by its touch targets). A new app that
// follows them shows what the last one showed, so a click aimed at that screen lands where meant.

#include <string>
#include <vector>

namespace simulator {

class ScreenRoute {
public:
    struct Step {
        std::string command, screen;
    };

    // An app has started on its first screen.
    void started(const std::string& screen);
    // After `command` the app shows `screen`; `onlyNavigates`: it did nothing but move between
    // screens (no stored value, no sheet, no restart), so doing it again does no harm.
    void arrived(const std::string& command, bool onlyNavigates, const std::string& screen);

    // The touches to follow from the first screen, in order; nothing when the screen shown was
    // reached by something that cannot be done again.
    const std::vector<Step>* way() const { return lost_ ? nullptr : &steps_; }

private:
    std::string first_;
    std::vector<Step> steps_;
    bool lost_ = false;
};

}  // namespace simulator
