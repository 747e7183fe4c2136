// The Settings app stand-in. It shows the device's pane entries, loads a pane's bundle when its
// entry is opened, and runs commands that tap, go back and show what is on screen, printing every
// side effect (stored values, notifications, shell commands, opened URLs, sheets) as it happens.

#include <cstdio>
#include <iostream>
#include <string>

#include "Command.h"
#include "DeviceEnvironment.h"
#include "Events.h"
#include "LoaderEntries.h"
#include "Options.h"
#include "Session.h"
#include "device/JSON.h"
#include "device_host/DeviceProcess.h"
#include "objc/runtime.h"

namespace {

// Runs one command text; false when it failed (the problem is on standard error, or on the closing
// line when each command is answered).
bool runCommand(settings::Session& session, const std::string& text, bool answer = false) {
    void* pool = objc_autoreleasePoolPush();
    auto parsed = settings::parseCommand(text);
    std::optional<std::string> problem;
    if (auto* command = std::get_if<settings::Command>(&parsed))
        problem = session.execute(*command);
    else
        problem = std::get<std::string>(parsed);
    // A value the store refused fails the command that asked for it, even when the tap itself worked.
    if (auto refused = settings::takeRefusal()) problem = "the store refused the value: " + *refused;
    objc_autoreleasePoolPop(pool);
    if (answer) {
        // A driving program reads up to this line, so it knows the command's events are all out.
        json::Writer done;
        done.beginObject().key("done").boolean(!problem);
        if (problem) done.key("problem").string(*problem);
        std::printf("%s\n", done.endObject().str().c_str());
        std::fflush(stdout);
    } else if (problem) {
        std::fprintf(stderr, "Preferences: %s: %s\n", std::string(settings::trimmed(text)).c_str(), problem->c_str());
    }
    return !problem;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    const std::optional<settings::Options> options = settings::readOptions(argc, argv, status);
    if (!options) return status;
    if (auto problem = settings::enterDevice(options->root)) return settings::usageError(*problem);
    // Like every app of the device, one its killall can find.
    if (auto problem = device_host::joinDevice(options->root, argv))
        std::fprintf(stderr, "Preferences: %s; continuing\n", problem->c_str());

    void* pool = objc_autoreleasePoolPush();
    settings::LoaderScan scan = settings::scanLoaderEntries();
    for (const auto& problem : scan.problems) std::fprintf(stderr, "Preferences: skipping %s\n", problem.c_str());
    settings::Session session(std::move(scan.entries));
    settings::startReportingEvents();

    bool failed = false;
    if (options->commands) {
        for (const auto& text : settings::splitCommandList(*options->commands)) failed |= !runCommand(session, text);
    } else {
        std::string line;
        while (std::getline(std::cin, line))
            if (!settings::trimmed(line).empty()) failed |= !runCommand(session, line, options->answerEachCommand);
    }
    objc_autoreleasePoolPop(pool);
    return failed ? 1 : 0;
}
