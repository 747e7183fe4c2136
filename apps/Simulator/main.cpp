// The device in a browser: runs an installed device root (the launcher keeping the Phone app
// alive, and a Settings session on the Corvane pane) and serves a local page that shows the Phone
// app's dialer and the Settings screen side by side, with the device's events as they happen.

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "DeviceFeed.h"
#include "DeviceProcess.h"
#include "Options.h"
#include "PhoneWatch.h"
#include "SettingsSession.h"
#include "WebServer.h"

namespace {

// A private directory for the Settings screen's pictures, removed at the end.
std::string makeScratchDirectory() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/corvane-simulator-XXXXXX";
    if (!::mkdtemp(pattern.data())) return {};
    return pattern;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    const auto options = simulator::readOptions(argc, argv, status);
    if (!options) return status;

    // Every thread started from here on leaves SIGINT and SIGTERM to the wait at the end; a reader
    // gone from a socket or a pipe is an error to handle, not a reason to die.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    const std::string scratch = makeScratchDirectory();
    if (scratch.empty() || scratch.find('\n') != std::string::npos) {
        std::fprintf(stderr, "Simulator: cannot make a scratch directory\n");
        return 1;
    }
    const std::string programs = simulator::ownDirectory();
    simulator::DeviceFeed feed;
    simulator::PhoneWatch phone(programs + "/SpringBoard", options->root, feed);
    simulator::SettingsSession settings(programs + "/Preferences", options->root, scratch + "/settings.png", feed);
    simulator::WebServer web(options->listen, feed, settings);

    std::atomic<bool> stopping = false, launcherEnded = false;
    int exitStatus = 0;
    if (auto problem = web.bind()) {
        // An address taken (or not this machine's) is a wrong --listen, as any other.
        std::fprintf(stderr, "Simulator: %s\n", problem->c_str());
        exitStatus = 2;
    } else if (!phone.start([&] {
                   if (stopping) return;
                   launcherEnded = true;
                   ::kill(::getpid(), SIGTERM);
               }) ||
               !settings.start()) {
        exitStatus = 1;
    } else {
        std::thread serving([&] { web.serve(); });
        std::printf("The device is at %s\n", web.url().c_str());
        std::fflush(stdout);
        int signal = 0;
        ::sigwait(&stop, &signal);
        stopping = true;
        web.stop();
        serving.join();
        if (launcherEnded) {
            std::fprintf(stderr, "Simulator: the launcher ended by itself\n");
            exitStatus = 1;
        }
    }
    stopping = true;
    settings.stop();
    phone.stop();
    std::error_code error;
    std::filesystem::remove_all(scratch, error);
    return exitStatus;
}
