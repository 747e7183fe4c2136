#include "CommandLine.h"

#include <string_view>

#include "SignalNames.h"

namespace killall {

namespace {

Request invalid(std::string problem) {
    Request request;
    request.action = Request::Action::Invalid;
    request.problem = std::move(problem);
    return request;
}

}  // namespace

Request parseCommandLine(int argc, char** argv) {
    Request request;
    bool listSignals = false;
    bool namesOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (namesOnly || arg.size() < 2 || arg.front() != '-') {
            request.names.emplace_back(arg);
        } else if (arg == "--") {
            namesOnly = true;
        } else if (arg == "-l") {
            listSignals = true;
        } else if (arg == "-h" || arg == "--help") {
            request.action = Request::Action::Help;
            return request;
        } else if (arg == "--version") {
            request.action = Request::Action::Version;
            return request;
        } else if (arg == "-s") {
            if (++i == argc) return invalid("-s needs a signal name");
            const auto signal = signalNamed(argv[i]);
            if (!signal) return invalid("unknown signal '" + std::string(argv[i]) + "' (killall -l lists them)");
            request.signal = *signal;
        } else {
            const auto signal = signalNamed(arg.substr(1));
            if (!signal) return invalid("unknown signal or option '" + std::string(arg) + "' (killall -l lists signals)");
            request.signal = *signal;
        }
    }
    if (listSignals) {
        request.action = Request::Action::ListSignals;
    } else if (request.names.empty()) {
        return invalid("no process name given");
    }
    return request;
}

const char* usageText() {
    return "usage: killall [-SIGNAL | -s SIGNAL] NAME...\n"
           "       killall -l\n"
           "  -SIGNAL, -s SIGNAL  send SIGNAL, a name (KILL, TERM, HUP, INT, USR1, ...) or a number;\n"
           "                      TERM when none is given\n"
           "  -l                  list the signal names\n"
           "  --help, --version   print this help, or the version, and exit\n"
           "Signals only the processes of this device: those whose SIMULATOR_ROOT names the device root\n"
           "this killall is installed in (ROOT/usr/bin/killall).\n";
}

}  // namespace killall
