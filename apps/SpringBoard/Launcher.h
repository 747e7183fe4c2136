#pragma once
// The launcher's loop: launch the app, wait for it to end or for the launcher to be told to stop,
// relaunch (after a pause when it keeps crashing at once).

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

#include "QuickDeathBackoff.h"

namespace springboard {

class Launcher {
public:
    // SIGTERM, SIGINT and SIGCHLD must be blocked in the calling thread before construction; the
    // launcher takes them with sigwaitinfo, so no handler races the loop.
    Launcher(std::string app, std::string root);
    // Runs until SIGTERM or SIGINT; returns the exit status of the launcher.
    int run();

    static constexpr auto kStopGrace = std::chrono::seconds(5);  // after SIGTERM, before SIGKILL
    // How long a crashed app's last words may take to come through its standard error.
    static constexpr auto kLastWordsPatience = std::chrono::milliseconds(500);

private:
    enum class Wake { ChildEnded, Stop, TimedOut };
    // Waits for the child to end (its wait status in `status`) or a stop request, or for `timeout`.
    Wake wait(pid_t child, int& status, std::optional<std::chrono::steady_clock::duration> timeout);
    void stopApp(pid_t child);
    // Clears the ended app's report and prints its exit.
    void endOfApp(pid_t child, int status) const;
    void logBackoff(QuickDeathBackoff::Duration delay) const;

    std::string app_;
    std::string root_;
    QuickDeathBackoff backoff_;
    int launches_ = 0;
};

}  // namespace springboard
