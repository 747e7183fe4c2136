#pragma once
// The launcher's event lines, read back strictly: a line of any other shape is no event.

#include <optional>
#include <string>

namespace apps_testing {

struct LaunchEvent {
    std::string kind;  // "launched", "exited" or "crashing"
    long pid = 0;
    long count = 0;              // launched
    std::optional<int> signal;   // exited: null unless killed by a signal
    std::optional<int> status;   // exited: null unless it exited
    long times = 0;              // crashing: quick crashes in a row
    long nextLaunchMs = 0;       // crashing
    std::string signalName;      // crashing: "SIGABRT", "" for null
    std::string lastWords;       // crashing: the JSON array as printed
};

std::optional<LaunchEvent> parseLaunchEvent(const std::string& line);

}  // namespace apps_testing
