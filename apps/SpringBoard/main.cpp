// The launcher: keeps the Phone app of one device running, as the device does when the user
// returns to the app after it was ended.

#include <csignal>
#include <cstdio>

#include "Launcher.h"
#include "Options.h"
#include "device_host/DeviceProcess.h"

int main(int argc, char** argv) {
    int status = 0;
    const std::optional<springboard::Options> options = springboard::readOptions(argc, argv, status);
    if (!options) return status;
    // The launcher is a process of its device too, so the device's killall finds it.
    if (auto problem = device_host::joinDevice(options->root, argv))
        std::fprintf(stderr, "SpringBoard: %s; continuing\n", problem->c_str());

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGCHLD);
    ::sigprocmask(SIG_BLOCK, &signals, nullptr);

    springboard::Launcher launcher(options->app, options->root);
    return launcher.run();
}
