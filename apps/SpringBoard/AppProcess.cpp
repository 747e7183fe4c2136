#include "AppProcess.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace springboard {

namespace {

// Runs in the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void execApp(const std::string& app, const std::string& root, pid_t launcher, int reportFd, int errorFd) {
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
    if (errorFd >= 0) ::dup2(errorFd, STDERR_FILENO);
    const char* argv[] = {app.c_str(), "--root", root.c_str(), "--serve", nullptr};
    ::execv(app.c_str(), const_cast<char* const*>(argv));
    const int error = errno;
    (void)!::write(reportFd, &error, sizeof error);
    ::_exit(127);
}

}  // namespace

pid_t startApp(const std::string& app, const std::string& root, int errorFd) {
    // Closed by a successful exec; otherwise the child writes its errno into it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return -1;
    const pid_t launcher = ::getpid();
    std::fflush(nullptr);  // nothing buffered may be written twice
    const pid_t pid = ::fork();
    if (pid == 0) execApp(app, root, launcher, report[1], errorFd);
    const int forkError = errno;
    ::close(report[1]);
    int execError = 0;
    ssize_t n = 0;
    if (pid > 0) {
        while ((n = ::read(report[0], &execError, sizeof execError)) < 0 && errno == EINTR) {
        }
    }
    ::close(report[0]);
    if (pid < 0) {
        errno = forkError;
        return -1;
    }
    if (n > 0) {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        errno = execError;
        return -1;
    }
    return pid;
}

}  // namespace springboard
