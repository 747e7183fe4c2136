#pragma once
// The live Settings app of the device: one Preferences process answering one command at a time,
// kept on the Corvane pane from the start. After every command the screen is drawn again for the
// page. A session that dies or stops answering is replaced by a fresh one at the next command.

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "DeviceFeed.h"
#include "DeviceProcess.h"
#include "LineReader.h"

namespace simulator {

struct SettingsAnswer {
    bool done = false;
    std::string problem;              // why the command did nothing, when it did not
    std::vector<std::string> events;  // the event lines it printed, in order
    std::vector<std::string> output;  // the other lines it printed ("show", "targets")
};

class SettingsSession {
public:
    // `pictureFile` is a private file the screen is drawn into.
    SettingsSession(std::string app, std::string root, std::string pictureFile, DeviceFeed& feed);
    ~SettingsSession();

    // Starts the app on the pane and draws its screen; false when the app could not be started.
    bool start();
    // Runs one command and redraws; nothing when the app died or took too long to answer.
    std::optional<SettingsAnswer> act(const std::string& command);
    void stop();

    static constexpr std::chrono::seconds kPatience{20};
    // How long a redraw waits for the Phone app a command restarted.
    static constexpr std::chrono::milliseconds kDialerPatience{2000};

private:
    bool startLocked();
    std::optional<SettingsAnswer> runLocked(const std::string& command);
    void redrawLocked();
    std::string touchTargetsLocked();
    void endLocked();

    const std::string app_, root_, pictureFile_;
    DeviceFeed& feed_;
    std::mutex mutex_;
    std::unique_ptr<DeviceProcess> process_;
    std::unique_ptr<LineReader> reader_;
};

}  // namespace simulator
