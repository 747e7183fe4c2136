// The device's killall: like the usual tool, but it signals only processes of its own device.

#include <cstdio>

#include "CommandLine.h"
#include "cli/CommandLine.h"
#include "DeviceScope.h"
#include "ProcessScan.h"
#include "SignalNames.h"

int main(int argc, char** argv) {
    const killall::Request request = killall::parseCommandLine(argc, argv);
    switch (request.action) {
        case killall::Request::Action::Invalid:
            std::fprintf(stderr, "killall: %s\n%s", request.problem.c_str(), killall::usageText());
            return 2;
        case killall::Request::Action::Help:
            std::fputs(killall::usageText(), stdout);
            return 0;
        case killall::Request::Action::Version:
            std::fputs(cli::versionText(cli::Program{.name = "killall", .synopsis = "", .options = {}}).c_str(), stdout);
            return 0;
        case killall::Request::Action::ListSignals:
            std::printf("%s\n", killall::signalList().c_str());
            return 0;
        case killall::Request::Action::Signal:
            break;
    }

    std::string problem;
    const auto deviceRoot = killall::installedDeviceRoot(problem);
    if (!deviceRoot) {
        std::fprintf(stderr, "killall: %s\n", problem.c_str());
        return 2;
    }
    const auto result = killall::signalDeviceProcesses(*deviceRoot, request.names, request.signal);
    if (result.signalled > 0) return 0;
    if (result.matched == 0) std::fputs("No matching processes belonging to you were found\n", stderr);
    return 1;
}
