#pragma once
// What killall was asked to do.

#include <csignal>
#include <string>
#include <vector>

namespace killall {

struct Request {
    enum class Action { Signal, ListSignals, Help, Version, Invalid };
    Action action = Action::Signal;
    int signal = SIGTERM;
    std::vector<std::string> names;
    std::string problem;  // why the command line is invalid
};

Request parseCommandLine(int argc, char** argv);
const char* usageText();

}  // namespace killall
