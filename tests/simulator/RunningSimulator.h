#pragma once
// The Simulator as a real process on a scratch device root holding the staged product and the
// device's killall, and the page's event stream read the way the page reads it.

#include <sys/types.h>

#include <httplib.h>

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "DeviceRoot.h"

using std::chrono::milliseconds;
inline constexpr milliseconds kPatience{30000};  // generous: the machine may be busy

// Puts the build's staged device files (the product) and the device's killall into `root`.
void stageDevice(const testing_support::DeviceRoot& root);

class RunningSimulator {
public:
    RunningSimulator();
    ~RunningSimulator();  // stops it if the test did not

    const testing_support::DeviceRoot& root() const { return root_; }
    const std::string& url() const { return url_; }  // empty when it did not start
    int port() const { return port_; }
    std::string authority() const { return "127.0.0.1:" + std::to_string(port_); }
    pid_t pid() const { return pid_; }
    httplib::Client client() const;

    // SIGTERM, then waits; the exit status (128 + signal when killed), -1 if it did not end in time.
    int stop(milliseconds patience = kPatience);

private:
    testing_support::DeviceRoot root_;
    pid_t pid_ = -1;
    std::string url_;
    int port_ = 0;
};

// One server-sent message.
struct PageEvent {
    std::string name, data;
};

// Reads /events on its own thread from the moment it is made.
class PageEvents {
public:
    explicit PageEvents(const RunningSimulator& simulator);
    ~PageEvents();

    // The next message named `name` whose data holds `needle`, after the last one of that name
    // returned.
    std::optional<PageEvent> await(const std::string& name, const std::string& needle = "", milliseconds patience = kPatience);
    std::vector<PageEvent> seen();

private:
    httplib::Client client_;
    std::thread reading_;
    std::mutex mutex_;
    std::string buffered_;
    std::vector<PageEvent> events_;
    std::map<std::string, size_t> consumed_;  // by name: where the next search starts
};

// The raw answer to bytes written to the port (status line, headers and body).
std::string rawExchange(int port, const std::string& request);
// A connection to the port that has sent `bytes`, its reads timing out after ten seconds; -1 when
// it could not be made.
int openConnection(int port, const std::string& bytes);
// The first bytes that arrive on `fd` ("" when none came in ten seconds).
std::string firstBytes(int fd);
// A connection that has sent `request` and read the first bytes of the answer, then reads no more:
// a browser that stalled. -1 when no answer began.
int stalledConnection(int port, const std::string& request);
// The pids of the processes whose environment names `root` as their device.
std::vector<pid_t> processesOfDevice(const std::string& root);
// The one process of the device running the program `name`; -1 when there is none or more.
pid_t processOfDevice(const std::string& root, const std::string& name);
// The place of the settings screen's touch target labelled `label` ("" kind: any), as its centre.
struct Spot {
    double x = 0, y = 0;
};
std::optional<Spot> targetCentre(const std::string& settingsData, const std::string& label, const std::string& kind = "");
