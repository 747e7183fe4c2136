// The launcher: keeps the Phone app of one device running, as the device does when the user
// returns to the app after it was ended.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Foundation/DevicePath.h"
#include "Launcher.h"
#include "Options.h"

namespace {

// The launcher is a process of its device too, so the device's killall finds it. A process's
// environment as others see it is the one it was started with: set the root and start again.
void becomeProcessOfDevice(const std::string& root, char** argv) {
    const char* current = std::getenv(device::kRootVariable);
    if (current && root == current) return;
    ::setenv(device::kRootVariable, root.c_str(), 1);
    // By its real path: a process's name is taken from the file name it is started under.
    std::error_code error;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (!error) ::execv(self.c_str(), argv);
    std::fprintf(stderr, "SpringBoard: cannot restart with %s set; continuing without it\n", device::kRootVariable);
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    const std::optional<springboard::Options> options = springboard::readOptions(argc, argv, status);
    if (!options) return status;
    becomeProcessOfDevice(options->root, argv);

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGCHLD);
    ::sigprocmask(SIG_BLOCK, &signals, nullptr);

    springboard::Launcher launcher(options->app, options->root);
    return launcher.run();
}
