// The device page server outliving its visitors: pages that come and go, clients that stall, and a
// Settings app that dies or stops answering under a click.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
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

bool stores(const nlohmann::json& answer, const std::string& key, bool value) {
    for (const auto& event : answer["events"])
        if (event.value("event", "") == "stored" && event.value("key", "") == key && event["value"] == value)
            return true;
    return false;
}

// The page's way into the pane's settings page, where the "Hide Voicemail Tab" switch is.
std::optional<Spot> openTheSettingsPage(httplib::Client& client, PageEvents& events) {
    const auto first = events.await("settings", "\"targets\"");
    if (!first) return std::nullopt;
    const auto row = targetCentre(first->data, "Settings", "row");
    if (!row) return std::nullopt;
    const auto opened = touch(client, *row);
    if (!opened || opened->status != 200) return std::nullopt;
    const auto page = events.await("settings", "Hide Voicemail Tab");
    if (!page) return std::nullopt;
    return targetCentre(page->data, "Hide Voicemail Tab", "switch");
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

TEST(SimulatorSettingsApp, AKilledOrStalledAppIsReplacedOnTheSameScreenAndTheClickDoneThere) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty());
    auto client = simulator.client();
    PageEvents events(simulator);
    const auto toggle = openTheSettingsPage(client, events);
    ASSERT_TRUE(toggle) << "the settings page with its switch";

    bool hidden = false;
    for (int signal : {SIGKILL, SIGSTOP}) {
        const pid_t app = processOfDevice(simulator.root().path(), "Preferences");
        ASSERT_GT(app, 0);
        ASSERT_EQ(::kill(app, signal), 0);
        // The click was aimed at the settings page; a new app starts on the pane's first page, so
        // only one brought back to the settings page stores the switch.
        const auto answer = touch(client, *toggle);
        ASSERT_TRUE(answer) << "signal " << signal;
        ASSERT_EQ(answer->status, 200) << "signal " << signal << ": " << answer->body;
        const auto body = nlohmann::json::parse(answer->body);
        hidden = !hidden;
        EXPECT_TRUE(body["done"].get<bool>()) << answer->body;
        EXPECT_TRUE(body.value("replayed", false)) << answer->body;
        EXPECT_TRUE(stores(body, "kVoice", hidden)) << answer->body;
        const pid_t replacement = processOfDevice(simulator.root().path(), "Preferences");
        EXPECT_GT(replacement, 0);
        EXPECT_NE(replacement, app);
        EXPECT_NE(::kill(app, 0), 0) << "the old app is gone, stalled or not";
    }
    // The new app goes on from there like the first.
    const auto again = touch(client, *toggle);
    ASSERT_TRUE(again);
    ASSERT_EQ(again->status, 200) << again->body;
    const auto body = nlohmann::json::parse(again->body);
    EXPECT_FALSE(body.value("replayed", false)) << again->body;
    EXPECT_TRUE(stores(body, "kVoice", !hidden)) << again->body;
    EXPECT_EQ(simulator.stop(), 0);
}

TEST(SimulatorSettingsApp, AClickANewAppCannotBeBroughtToIsReportedLostAndTheNextOneWorks) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty());
    auto client = simulator.client();
    PageEvents events(simulator);
    const auto first = events.await("settings", "\"targets\"");
    ASSERT_TRUE(first);
    // The heart presents a sheet: a screen that a new app could reach only by presenting it again.
    const auto heart = targetCentre(first->data, "Share", "heart");
    ASSERT_TRUE(heart) << first->data;
    const auto presented = touch(client, *heart);
    ASSERT_TRUE(presented);
    ASSERT_EQ(presented->status, 200) << presented->body;
    const auto sheet = events.await("settings", "Cancel");
    ASSERT_TRUE(sheet);
    const auto cancel = targetCentre(sheet->data, "Cancel");
    ASSERT_TRUE(cancel) << sheet->data;

    ASSERT_EQ(::kill(processOfDevice(simulator.root().path(), "Preferences"), SIGKILL), 0);
    const auto lost = touch(client, *cancel);
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->status, 503) << lost->body;
    EXPECT_NE(lost->body.find("the click was lost"), std::string::npos) << lost->body;
    EXPECT_NE(lost->body.find("another screen"), std::string::npos) << lost->body;

    // The page is shown the new app's screen, and a click on that is done.
    const auto shown = events.await("settings", "Credits");
    ASSERT_TRUE(shown);
    const auto credits = targetCentre(shown->data, "Credits", "row");
    ASSERT_TRUE(credits) << shown->data;
    const auto next = touch(client, *credits);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->status, 200) << next->body;
    EXPECT_NE(next->body.find("\"label\":\"Credits\""), std::string::npos) << next->body;
    EXPECT_EQ(simulator.stop(), 0);
}
