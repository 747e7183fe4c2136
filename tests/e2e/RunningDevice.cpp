#include "RunningDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "ReportFields.h"

using testing_support::Built;

namespace {
constexpr const char* kReport = "/var/mobile/Library/MobilePhone/report.json";
}

RunningDevice::RunningDevice() {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) std::abort();
    launcher_ = ::fork();
    if (launcher_ == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        const std::string springboard = Built::binDirectory() + "/SpringBoard";
        ::execl(springboard.c_str(), springboard.c_str(), "--root", root().path().c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    events_ = pipeFds[0];
}

RunningDevice::~RunningDevice() {
    stopLauncher();
    if (events_ >= 0) ::close(events_);
}

int RunningDevice::stopLauncher() {
    if (launcher_ < 0) return -1;
    ::kill(launcher_, SIGTERM);
    int status = 0;
    ::waitpid(launcher_, &status, 0);
    launcher_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::optional<std::string> RunningDevice::nextEvent(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const auto newline = buffered_.find('\n'); newline != std::string::npos) {
            std::string line = buffered_.substr(0, newline);
            buffered_.erase(0, newline + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd p{events_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char chunk[4096];
        const ssize_t n = ::read(events_, chunk, sizeof chunk);
        if (n <= 0) return std::nullopt;
        buffered_.append(chunk, static_cast<size_t>(n));
    }
}

std::string RunningDevice::report() const { return root().readFile(kReport); }

void RunningDevice::forgetReport() const { ::unlink((root().path() + kReport).c_str()); }

std::string RunningDevice::awaitLaunchAndReport() {
    std::optional<std::string> event;
    while ((event = nextEvent()) && event->find("\"launched\"") == std::string::npos) {
    }
    if (!event) return "";
    // The report is renamed into place, so once it is there it is whole.
    for (int i = 0; i < 3000; ++i) {
        if (std::string text = report(); !text.empty()) return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return "";
}

long long eventNumber(const std::string& event, const std::string& field) {
    const std::string value = testing_support::jsonField(event, field);
    return value.empty() || value == "null" ? -1 : std::atoll(value.c_str());
}
