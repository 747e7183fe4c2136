#pragma once
// A device root holding everything the build stages for the device (the hook library, the
// preference bundle and its Settings entry) and the device's killall, and the Settings app run on
// it with a list of commands.

#include <string>
#include <vector>

#include "DeviceRoot.h"

class SettingsDevice {
public:
    SettingsDevice();

    const testing_support::DeviceRoot& root() const { return root_; }
    // Runs Preferences --root ROOT -c COMMANDS.
    testing_support::ProcessResult run(const std::string& commands) const;
    void setLanguages(const std::vector<std::string>& languages) const;

private:
    testing_support::DeviceRoot root_;
};

std::string settingsApp();
// The lines of a process's output.
std::vector<std::string> linesOf(const std::string& text);
// The event lines of a session's output (those starting {"event":).
std::vector<std::string> eventsOf(const std::string& out);
// The "show" lines of a session's output (those starting {"page":).
std::vector<std::string> screensOf(const std::string& out);
// The row of a "show" line whose label is `label`, as encoded JSON; "" when none.
std::string rowLabelled(const std::string& screen, const std::string& label, size_t occurrence = 0);
