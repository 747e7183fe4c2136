#include "LaunchEvent.h"

#include <regex>

namespace apps_testing {

namespace {

std::optional<int> nullable(const std::string& text) {
    if (text == "null") return std::nullopt;
    return std::stoi(text);
}

}  // namespace

std::optional<LaunchEvent> parseLaunchEvent(const std::string& line) {
    static const std::regex launched(R"re(\{"event":"launched","pid":([1-9][0-9]*),"count":([1-9][0-9]*)\})re");
    static const std::regex exited(
        R"re(\{"event":"exited","pid":([1-9][0-9]*),"signal":([0-9]+|null),"status":([0-9]+|null)\})re");
    static const std::regex crashing(
        R"re(\{"event":"crashing","times":([1-9][0-9]*),"signal":([0-9]+|null),"signalName":("SIG[A-Z0-9]+"|null),)re"
        R"re("status":([0-9]+|null),"nextLaunchMs":([1-9][0-9]*),"lastWords":(\[.*\])\})re");
    std::smatch match;
    LaunchEvent event;
    if (std::regex_match(line, match, crashing)) {
        event.kind = "crashing";
        event.times = std::stol(match[1]);
        event.signal = nullable(match[2]);
        event.signalName = match[3] == "null" ? "" : std::string(match[3]).substr(1, match[3].length() - 2);
        event.status = nullable(match[4]);
        event.nextLaunchMs = std::stol(match[5]);
        event.lastWords = match[6];
        return event;
    }
    if (std::regex_match(line, match, launched)) {
        event.kind = "launched";
        event.pid = std::stol(match[1]);
        event.count = std::stol(match[2]);
        return event;
    }
    if (std::regex_match(line, match, exited)) {
        event.kind = "exited";
        event.pid = std::stol(match[1]);
        event.signal = nullable(match[2]);
        event.status = nullable(match[3]);
        if (event.signal.has_value() == event.status.has_value()) return std::nullopt;  // exactly one applies
        return event;
    }
    return std::nullopt;
}

}  // namespace apps_testing
