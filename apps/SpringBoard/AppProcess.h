#pragma once
// Starting the app as a child of the launcher.

#include <sys/types.h>

#include <string>

namespace springboard {

// Starts `app --root ROOT --serve` with the launcher's environment (which names the device root),
// standard input and output on /dev/null and standard error on `errorFd` (shared with the launcher
// when it is -1). The child ends with SIGTERM if
// the launcher dies, so no app outlives it. Returns once the app is running (under its own process
// name); -1 with errno set when it could not be started.
pid_t startApp(const std::string& app, const std::string& root, int errorFd = -1);

}  // namespace springboard
