#pragma once
// The live Settings app of the device: one Preferences process answering one command at a time,
// kept on the Corvane pane from the start. After every command the screen is drawn again for the
// page. An app that dies or stops answering is replaced at once by a new one brought to the same
// screen, and the command it left undone is given to the new one.

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "DeviceFeed.h"
#include "DeviceProcess.h"
#include "LineReader.h"
#include "ScreenRoute.h"

namespace simulator {

struct SettingsAnswer {
    bool done = false;
    std::string problem;              // why the command did nothing, when it did not
    std::vector<std::string> events;  // the event lines it printed, in order
    std::vector<std::string> output;  // the other lines it printed ("show", "targets")
    bool replayed = false;            // the first app failed it; a new one on the same screen did it
};

class SettingsSession {
public:
    // `pictureFile` is a private file the screen is drawn into.
    SettingsSession(std::string app, std::string root, std::string pictureFile, DeviceFeed& feed);
    ~SettingsSession();

    // Starts the app on the pane and draws its screen; false when the app could not be started.
    bool start();
    // Runs one command and redraws. When the app dies or stalls before it has acted on the command,
    // a new one is brought to the same screen and runs it once more. The answer, or why there is
    // none (the command is then lost, and said to be).
    std::variant<SettingsAnswer, std::string> act(const std::string& command);
    void stop();

    // The app answers a command in milliseconds; one that has not answered in this long has stalled.
    static constexpr std::chrono::seconds kPatience{3};
    static constexpr std::chrono::seconds kFirstPatience{20};  // for the first app, at start()
    // What one act may spend waiting for apps in all, a replacement and a replay included.
    static constexpr std::chrono::seconds kActPatience{8};
    // How long a redraw waits for the Phone app a command restarted.
    static constexpr std::chrono::milliseconds kDialerPatience{2000};
    // How long an app that is ended gets to go by itself.
    static constexpr int kEndGraceMs = 500;

private:
    struct Exchange {
        bool answered = false;  // false: the app died or stalled; `answer` holds what it printed
        SettingsAnswer answer;
    };

    std::variant<SettingsAnswer, std::string> actLocked(const std::string& command);
    bool startLocked();
    std::optional<std::string> restoreLocked(const std::string& screen);
    Exchange runLocked(const std::string& command);
    void redrawLocked();
    std::string touchTargetsLocked();
    void endLocked();

    const std::string app_, root_, pictureFile_;
    DeviceFeed& feed_;
    std::mutex mutex_;
    std::unique_ptr<DeviceProcess> process_;
    std::unique_ptr<LineReader> reader_;
    std::string screen_;  // the touch targets of the screen last drawn for the page
    ScreenRoute route_;
    std::chrono::seconds patience_ = kPatience;
    std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::time_point::max();
};

}  // namespace simulator
