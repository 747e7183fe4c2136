#pragma once
// A child process for the launcher and killall tests: started in its own process group with an
// exact environment, its output optionally captured line by line, and always ended and reaped
// when the test is done with it, whether the test passed or not.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace apps_testing {

using std::chrono::milliseconds;
inline constexpr milliseconds kPatience{15000};  // generous: the machine may be busy

struct Launch {
    std::vector<std::string> argv;
    // Added to this process's environment, which is passed on without SIMULATOR_ROOT.
    std::map<std::string, std::string> environment;
    std::string workingDirectory;
    bool captureOutput = false;
};

class ChildProcess {
public:
    // Returns once the program is executing (so its process name is the program's).
    explicit ChildProcess(const Launch& launch);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // The wait status once the process has ended, nothing if it is still running after `timeout`.
    std::optional<int> waitForEnd(milliseconds timeout = kPatience);

    enum class Stream { Out, Err };
    // The next line (without its newline), nothing on end of stream or after `timeout`.
    std::optional<std::string> readLine(Stream stream, milliseconds timeout = kPatience);
    // Everything until the stream ends (bounded by `timeout`).
    std::string readRest(Stream stream, milliseconds timeout = kPatience);

private:
    struct Pipe {
        int fd = -1;
        std::string buffered;
        bool ended = false;
    };
    bool fill(Pipe& pipe, milliseconds timeout);

    pid_t pid_ = -1;
    std::optional<int> status_;
    Pipe out_, err_;
};

// Ends a process the test did not start itself (a launcher's app) if it is still there.
void killIfRunning(pid_t pid);
// True once `pid` has gone or is a zombie, waiting up to `timeout`.
bool processEnds(pid_t pid, milliseconds timeout = kPatience);
// The NUL-separated entries of /proc/PID/FILE (environ, cmdline).
std::vector<std::string> procEntries(pid_t pid, const std::string& file);

}  // namespace apps_testing
