#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

extern char** environ;

namespace apps_testing {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> childEnvironment(const std::map<std::string, std::string>& extra) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view text = *entry;
        const std::string_view name = text.substr(0, text.find('='));
        if (name != "SIMULATOR_ROOT" && !extra.contains(std::string(name))) entries.emplace_back(text);
    }
    for (const auto& [name, value] : extra) entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (auto& s : strings) result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

char processState(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const size_t close = text.rfind(')');  // the name in parentheses may hold anything
    return close == std::string::npos || close + 2 >= text.size() ? 0 : text[close + 2];
}

}  // namespace

ChildProcess::ChildProcess(const Launch& launch) {
    std::vector<std::string> argv = launch.argv;
    std::vector<std::string> environment = childEnvironment(launch.environment);
    std::vector<char*> argvPointers = pointers(argv);
    std::vector<char*> environmentPointers = pointers(environment);

    int started[2], out[2] = {-1, -1}, err[2] = {-1, -1};
    if (::pipe2(started, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    if (launch.captureOutput && (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0))
        throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        ::setpgid(0, 0);
        const int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, STDIN_FILENO);
        if (launch.captureOutput) {
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(err[1], STDERR_FILENO);
        }
        if (!launch.workingDirectory.empty() && ::chdir(launch.workingDirectory.c_str()) != 0) ::_exit(126);
        ::execve(argvPointers[0], argvPointers.data(), environmentPointers.data());
        const int error = errno;
        (void)!::write(started[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(started[1]);
    if (launch.captureOutput) {
        ::close(out[1]);
        ::close(err[1]);
        out_.fd = out[0];
        err_.fd = err[0];
    }
    int error = 0;
    ssize_t n;
    while ((n = ::read(started[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(started[0]);
    if (n > 0) {
        waitForEnd();
        throw std::runtime_error("cannot run " + argv[0] + ": " + std::strerror(error));
    }
}

ChildProcess::~ChildProcess() {
    if (!status_) {
        // The whole group, which cannot be another's while its leader is unreaped: a launcher's
        // app goes with it.
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        int status;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    for (int fd : {out_.fd, err_.fd}) {
        if (fd >= 0) ::close(fd);
    }
}

bool ChildProcess::running() {
    if (status_) return false;
    int status;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
    return !status_;
}

std::optional<int> ChildProcess::waitForEnd(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (running() && Clock::now() < deadline) std::this_thread::sleep_for(milliseconds(5));
    return status_;
}

bool ChildProcess::fill(Pipe& pipe, milliseconds timeout) {
    if (pipe.fd < 0 || pipe.ended) return false;
    pollfd p{pipe.fd, POLLIN, 0};
    int ready;
    while ((ready = ::poll(&p, 1, static_cast<int>(timeout.count()))) < 0 && errno == EINTR) {
    }
    if (ready <= 0) return false;
    char buffer[4096];
    const ssize_t n = ::read(pipe.fd, buffer, sizeof buffer);
    if (n <= 0) {
        pipe.ended = true;
        return false;
    }
    pipe.buffered.append(buffer, static_cast<size_t>(n));
    return true;
}

std::optional<std::string> ChildProcess::readLine(Stream stream, milliseconds timeout) {
    Pipe& pipe = stream == Stream::Out ? out_ : err_;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const size_t end = pipe.buffered.find('\n');
        if (end != std::string::npos) {
            std::string line = pipe.buffered.substr(0, end);
            pipe.buffered.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        if (left <= milliseconds::zero() || !fill(pipe, left)) return std::nullopt;
    }
}

std::string ChildProcess::readRest(Stream stream, milliseconds timeout) {
    Pipe& pipe = stream == Stream::Out ? out_ : err_;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        if (left <= milliseconds::zero() || !fill(pipe, left)) break;
    }
    return std::exchange(pipe.buffered, std::string());
}

void killIfRunning(pid_t pid) {
    if (pid > 0 && processState(pid) != 0 && processState(pid) != 'Z') ::kill(pid, SIGKILL);
}

bool processEnds(pid_t pid, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const char state = processState(pid);
        if (state == 0 || state == 'Z' || state == 'X') return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(5));
    }
}

std::vector<std::string> procEntries(pid_t pid, const std::string& file) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file, std::ios::binary);
    std::vector<std::string> entries;
    std::string entry;
    while (std::getline(in, entry, '\0')) entries.push_back(entry);
    return entries;
}

}  // namespace apps_testing
