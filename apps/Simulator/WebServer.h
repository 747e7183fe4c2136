#pragma once
// The device page's HTTP server: the page's files, the pictures of both screens, the live event
// stream, and clicks on the Settings screen. Every request passes the request guard first.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "DeviceFeed.h"
#include "ListenAddress.h"
#include "SettingsSession.h"

namespace httplib {
class Server;
}

namespace simulator {

class WebServer {
public:
    WebServer(ListenAddress address, DeviceFeed& feed, SettingsSession& settings);
    ~WebServer();

    // Binds the address (port 0 takes a free one); the problem when it cannot.
    std::optional<std::string> bind();
    std::string url() const;  // "http://127.0.0.1:PORT/"
    // Serves until stop() is called from another thread.
    void serve();
    void stop();

    static constexpr int kMostStreams = 8;        // event streams open at once
    static constexpr int kMostClicks = 4;         // clicks waiting for the Settings app at once
    static constexpr int kWorkers = 64;           // connections served at once
    static constexpr size_t kLargestBody = 1024;  // a click is a few bytes
    // How often a quiet stream looks whether its reader is still there.
    static constexpr std::chrono::seconds kHeartbeat{1};

private:
    void route();
    bool takeStreamSlot();
    void freeStreamSlot();

    ListenAddress address_;
    int port_ = 0;
    DeviceFeed& feed_;
    SettingsSession& settings_;
    std::unique_ptr<httplib::Server> server_;
    std::mutex slotsMutex_;
    std::condition_variable slotFreed_;
    int streams_ = 0;
    std::atomic<int> clicks_{0};
};

}  // namespace simulator
