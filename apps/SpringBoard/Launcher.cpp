#include "Launcher.h"

#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "AppProcess.h"
#include "ErrorTap.h"
#include "LaunchEvents.h"
#include "device_host/PhoneReport.h"

namespace springboard {

namespace {

using Clock = std::chrono::steady_clock;

sigset_t awaitedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGCHLD);
    return set;
}

timespec toTimespec(Clock::duration duration) {
    if (duration < Clock::duration::zero()) duration = Clock::duration::zero();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(duration - seconds);
    return {static_cast<time_t>(seconds.count()), static_cast<long>(nanoseconds.count())};
}

}  // namespace

Launcher::Launcher(std::string app, std::string root) : app_(std::move(app)), root_(std::move(root)) {}

Launcher::Wake Launcher::wait(pid_t child, int& status, std::optional<Clock::duration> timeout) {
    const sigset_t signals = awaitedSignals();
    const auto deadline = timeout ? std::optional(Clock::now() + *timeout) : std::nullopt;
    for (;;) {
        // SIGCHLD may have been taken already by an earlier wait: look before sleeping.
        if (child > 0 && ::waitpid(child, &status, WNOHANG) == child) return Wake::ChildEnded;
        siginfo_t info{};
        int signal;
        if (deadline) {
            const timespec remaining = toTimespec(*deadline - Clock::now());
            signal = ::sigtimedwait(&signals, &info, &remaining);
        } else {
            signal = ::sigwaitinfo(&signals, &info);
        }
        if (signal == SIGTERM || signal == SIGINT) return Wake::Stop;
        if (signal < 0 && errno == EAGAIN) return Wake::TimedOut;
        // SIGCHLD or an interrupted wait: look at the child again.
    }
}

void Launcher::stopApp(pid_t child) {
    int status = 0;
    ::kill(child, SIGTERM);
    Wake wake = wait(child, status, kStopGrace);
    if (wake != Wake::ChildEnded) {
        // A second request to stop, or an app that ignores SIGTERM, must not keep the launcher alive.
        std::fprintf(stderr, "SpringBoard: %s (pid %d) did not end after SIGTERM; sending SIGKILL\n",
                     std::filesystem::path(app_).filename().c_str(), static_cast<int>(child));
        ::kill(child, SIGKILL);
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    endOfApp(child, status);
}

void Launcher::endOfApp(pid_t child, int status) const {
    // Cleared before the exit is told, so whoever sees the exit finds no report of the ended app.
    device_host::removeReportOf(root_ + device_host::kPhoneReportPath, child);
    printExited(child, status);
}

void Launcher::logBackoff(QuickDeathBackoff::Duration delay) const {
    std::fprintf(stderr, "SpringBoard: %s crashed within 1 s of launch %d times in a row; waiting %lld ms before relaunching\n",
                 std::filesystem::path(app_).filename().c_str(), backoff_.quickDeathsInARow(),
                 static_cast<long long>(delay.count()));
}

int Launcher::run() {
    for (;;) {
        const auto launchedAt = Clock::now();
        ErrorTap errors;
        const pid_t child = startApp(app_, root_, errors.open());
        errors.closeAppEnd();
        bool crashed = true;  // also an app that cannot be started
        int status = 0;
        if (child < 0) {
            std::fprintf(stderr, "SpringBoard: cannot start %s: %s\n", app_.c_str(), std::strerror(errno));
        } else {
            printLaunched(child, ++launches_);
            if (wait(child, status, std::nullopt) == Wake::Stop) {
                stopApp(child);
                return 0;
            }
            endOfApp(child, status);
            crashed = QuickDeathBackoff::isCrash(status);
        }
        const auto delay = backoff_.afterExit(Clock::now() - launchedAt, crashed);
        if (delay > QuickDeathBackoff::Duration::zero()) {
            logBackoff(delay);
            printCrashing(backoff_.quickDeathsInARow(), status, child >= 0, delay.count(), errors.lastWords(kLastWordsPatience));
            int unused = 0;
            if (wait(-1, unused, delay) == Wake::Stop) return 0;
        }
    }
}

}  // namespace springboard
