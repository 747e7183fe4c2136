#pragma once
// A device with its launcher running: SpringBoard keeps MobilePhone alive in serving mode, and the
// test reads the launcher's event lines as they come.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

#include "SettingsApp.h"

class RunningDevice : public SettingsDevice {
public:
    RunningDevice();
    ~RunningDevice();  // ends the launcher with SIGTERM, which ends its app

    // The next launcher event line, or nothing within the timeout.
    std::optional<std::string> nextEvent(std::chrono::milliseconds timeout = std::chrono::milliseconds(15000));
    // Removes the app's report, so the next one written is recognised as new.
    void forgetReport() const;
    // Waits for the next "launched" event and then for the app's report; returns the report.
    std::string awaitLaunchAndReport();
    std::string report() const;
    int stopLauncher();  // the launcher's exit status

private:
    pid_t launcher_ = -1;
    int events_ = -1;
    std::string buffered_;
};

// The value of an integer field of an event line ("pid", "count").
long long eventNumber(const std::string& event, const std::string& field);
