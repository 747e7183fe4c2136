// The device page server outliving its visitors: pages that come and go, and clients that stall.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <thread>

#include "RunningSimulator.h"
#include "WebServer.h"

using std::chrono::steady_clock;

namespace {

httplib::Result touch(httplib::Client& client, Spot spot) {
    return client.Post("/touch", nlohmann::json{{"x", spot.x}, {"y", spot.y}}.dump(), "application/json");
}

}  // namespace

TEST(SimulatorVisitors, StreamsOfPagesThatLeftFreeTheirSlotsForTheNextPages) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty());
    const std::string open = "GET /events HTTP/1.1\r\nHost: " + simulator.authority() + "\r\n\r\n";
    // Each round fills every slot and leaves, as a page reloaded again and again does.
    for (int round = 0; round < 3; ++round) {
        std::vector<int> streams;
        for (int i = 0; i < simulator::WebServer::kMostStreams; ++i) {
            const int fd = openConnection(simulator.port(), open);
            const std::string answer = firstBytes(fd);
            EXPECT_TRUE(answer.starts_with("HTTP/1.1 200")) << "round " << round << ", stream " << i << ": " << answer;
            streams.push_back(fd);
        }
        for (int fd : streams)
            if (fd >= 0) ::close(fd);
    }
    EXPECT_EQ(simulator.stop(), 0);
}

TEST(SimulatorVisitors, FortyStalledClientsLeaveThePageItsStreamAndClicksAnswered) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty());
    {
        PageEvents ready(simulator);
        ASSERT_TRUE(ready.await("settings"));
    }

    // Each sends the start of a request and then nothing, and comes back each time it is dropped,
    // for as long as the checks below take (within bounds of its own).
    constexpr int kStalled = 40;
    const std::string partial = "GET / HTTP/1.1\r\nHost: " + simulator.authority() + "\r\nAccept: text/";
    const auto attackEnds = steady_clock::now() + std::chrono::seconds(30);
    std::atomic<bool> enough = false;
    std::atomic<int> connected = 0, stalling = kStalled;
    std::vector<std::thread> stalled;
    for (int i = 0; i < kStalled; ++i) {
        stalled.emplace_back([&] {
            for (int round = 0; round < 100 && !enough && steady_clock::now() < attackEnds; ++round) {
                const int fd = openConnection(simulator.port(), partial);
                if (round == 0) ++connected;
                if (fd < 0) {
                    std::this_thread::sleep_for(milliseconds(100));
                    continue;
                }
                pollfd socket{fd, POLLIN, 0};
                char chunk[512];
                while (!enough && steady_clock::now() < attackEnds)
                    if (::poll(&socket, 1, 100) > 0 && ::recv(fd, chunk, sizeof chunk, 0) <= 0) break;
                ::close(fd);
            }
            --stalling;
        });
    }
    for (int waited = 0; connected < kStalled && waited < 3000; ++waited) std::this_thread::sleep_for(milliseconds(10));

    auto client = simulator.client();
    int rounds = 0;
    for (; rounds < 10 && stalling == kStalled; ++rounds) {
        for (const char* path : {"/", "/device.js", "/device.css", "/settings.png"}) {
            const auto answer = client.Get(path);
            ASSERT_TRUE(answer) << path;
            EXPECT_EQ(answer->status, 200) << path;
        }
        const auto answer = touch(client, {160, 20});
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200) << answer->body;
    }
    bool streamed = false;
    if (stalling == kStalled) {
        PageEvents events(simulator);
        streamed = events.await("settings").has_value();
    }
    const bool allStillStalling = stalling == kStalled;
    enough = true;
    for (auto& thread : stalled) thread.join();

    EXPECT_EQ(connected, kStalled);
    EXPECT_EQ(rounds, 10) << "the stalled clients outlasted the page's requests";
    EXPECT_TRUE(streamed) << "the page's stream was served";
    EXPECT_TRUE(allStillStalling) << "everything above was answered while every stalled client was at it";
    EXPECT_EQ(simulator.stop(), 0);
}
