#include "AppProcess.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace springboard {

namespace {

// Runs in the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void execApp(const std::string& app, const std::string& root, pid_t launcher) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != launcher) ::_exit(127);  // the launcher died before the line above
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        if (null > STDERR_FILENO) ::close(null);
    }
    const char* argv[] = {app.c_str(), "--root", root.c_str(), "--serve", nullptr};
    ::execv(app.c_str(), const_cast<char* const*>(argv));
    const char* reason = std::strerror(errno);
    const char* parts[] = {"SpringBoard: cannot start ", app.c_str(), ": ", reason, "\n"};
    for (const char* part : parts) (void)!::write(STDERR_FILENO, part, std::strlen(part));
    ::_exit(127);
}

}  // namespace

pid_t startApp(const std::string& app, const std::string& root) {
    const pid_t launcher = ::getpid();
    std::fflush(nullptr);  // nothing buffered may be written twice
    const pid_t pid = ::fork();
    if (pid == 0) execApp(app, root, launcher);
    return pid;
}

}  // namespace springboard
