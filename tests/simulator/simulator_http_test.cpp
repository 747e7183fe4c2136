// The Simulator as a person's browser meets it: a real device on a scratch root, driven over HTTP.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "ReportFields.h"
#include "RunningSimulator.h"

using testing_support::messageField;

namespace {

constexpr const char* kReport = "/var/mobile/Library/MobilePhone/report.json";
constexpr const char* kPreferences = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";

httplib::Result touch(httplib::Client& client, Spot spot, httplib::Headers headers = {}) {
    const std::string body = nlohmann::json{{"x", spot.x}, {"y", spot.y}}.dump();
    return client.Post("/touch", headers, body, "application/json");
}

bool hasEvent(const nlohmann::json& answer, const std::string& line) {
    for (const auto& event : answer["events"])
        if (event.dump() == line) return true;
    return false;
}

}  // namespace

TEST(SimulatorHttp, AClickOnASwitchStoresItRestartsThePhoneAppAndShowsTheNewDialer) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty()) << "no address printed";
    EXPECT_EQ(simulator.url(), "http://" + simulator.authority() + "/");
    auto client = simulator.client();

    const auto page = client.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(page->body.find("device.js"), std::string::npos);
    EXPECT_NE(page->get_header_value("Content-Security-Policy").find("frame-ancestors 'none'"), std::string::npos);
    const auto script = client.Get("/device.js");
    ASSERT_TRUE(script);
    EXPECT_EQ(script->status, 200);
    EXPECT_NE(script->body.find("EventSource"), std::string::npos);
    // Every browser asks for an icon: one it is given, not a 404 in its console.
    for (const char* icon : {"/favicon.ico", "/icon.svg"}) {
        const auto answer = client.Get(icon);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200) << icon;
        EXPECT_EQ(answer->get_header_value("Content-Type"), "image/svg+xml") << icon;
        EXPECT_TRUE(answer->body.starts_with("<svg ")) << icon;
    }

    PageEvents events(simulator);
    ASSERT_TRUE(events.await("dialer"));
    auto screen = events.await("settings", "\"targets\"");
    ASSERT_TRUE(screen) << "the Settings screen came without its touch targets";
    EXPECT_EQ(messageField(simulator.root().readFile(kReport), "showsPhoneVoicemail", "returned"), "true");
    const auto dialerBefore = client.Get("/dialer.png");
    ASSERT_TRUE(dialerBefore);
    EXPECT_EQ(dialerBefore->get_header_value("Content-Type"), "image/png");

    // The pane's root page: its "Settings" row opens the settings page.
    auto row = targetCentre(screen->data, "Settings");
    ASSERT_TRUE(row) << screen->data;
    auto opened = touch(client, *row);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->status, 200) << opened->body;
    screen = events.await("settings", "Hide Voicemail Tab");
    ASSERT_TRUE(screen);

    auto toggle = targetCentre(screen->data, "Hide Voicemail Tab", "switch");
    if (!toggle) toggle = targetCentre(screen->data, "Hide Voicemail Tab");
    ASSERT_TRUE(toggle) << screen->data;
    const auto flipped = touch(client, *toggle);
    ASSERT_TRUE(flipped);
    ASSERT_EQ(flipped->status, 200) << flipped->body;
    const auto answer = nlohmann::json::parse(flipped->body);
    EXPECT_TRUE(answer["done"].get<bool>()) << flipped->body;
    EXPECT_TRUE(hasEvent(answer, R"({"domain":"com.qelmor.corvane","event":"stored","key":"kVoice","value":true})"))
        << flipped->body;
    EXPECT_TRUE(hasEvent(answer, R"({"command":"killall -9 MobilePhone","event":"system","status":0})")) << flipped->body;

    // The same lines reach the page's stream, with the launcher's (in whatever order the processes
    // ran), and then the new dialer.
    ASSERT_TRUE(events.await("dialer"));
    std::string lines;
    for (const PageEvent& event : events.seen()) lines += event.name + ": " + event.data + "\n";
    for (const char* expected : {R"("event":"stored","domain":"com.qelmor.corvane","key":"kVoice","value":true)",
                                 R"("event":"system","command":"killall -9 MobilePhone","status":0)",
                                 R"("event":"exited")", R"("signal":9)", R"("event":"launched")",
                                 R"("voicemailTab":false)"})
        EXPECT_NE(lines.find(expected), std::string::npos) << expected << "\n" << lines;
    EXPECT_EQ(messageField(simulator.root().readFile(kReport), "showsPhoneVoicemail", "returned"), "false");
    const auto dialerAfter = client.Get("/dialer.png");
    ASSERT_TRUE(dialerAfter);
    EXPECT_NE(dialerAfter->body, dialerBefore->body) << "the Voicemail tab is gone from the picture";
}

TEST(SimulatorHttp, RefusesForeignHostsCrossSiteClicksAndMalformedBodiesAndChangesNothing) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty());
    auto client = simulator.client();
    PageEvents events(simulator);
    ASSERT_TRUE(events.await("settings"));
    ASSERT_TRUE(events.await("dialer"));
    const size_t seenBefore = events.seen().size();
    const auto before = client.Get("/settings.png");
    ASSERT_TRUE(before);
    const Spot middle{160, 300};
    const std::string self = "http://" + simulator.authority();

    // A name rebound to 127.0.0.1 arrives with its own Host.
    auto foreign = client.Get("/", {{"Host", "rebound.example:" + std::to_string(simulator.port())}});
    ASSERT_TRUE(foreign);
    EXPECT_EQ(foreign->status, 403);
    EXPECT_NE(foreign->body.find(simulator.authority()), std::string::npos) << foreign->body;
    foreign = touch(client, middle, {{"Host", "rebound.example"}});
    ASSERT_TRUE(foreign);
    EXPECT_EQ(foreign->status, 403);

    // Another site's page, posting to the device.
    for (const httplib::Headers& headers : {httplib::Headers{{"Origin", "http://evil.example"}},
                                            httplib::Headers{{"Origin", self}, {"Sec-Fetch-Site", "cross-site"}},
                                            httplib::Headers{{"Sec-Fetch-Site", "same-site"}}}) {
        const auto refused = touch(client, middle, headers);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, 403) << headers.begin()->second;
    }
    const auto picture = client.Get("/settings.png", {{"Sec-Fetch-Site", "cross-site"}});
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->status, 403) << "another site's page cannot read the screens";

    // Malformed clicks: a reason each, and nothing sent on to the Settings app.
    for (const auto& [body, type, status] : std::vector<std::tuple<std::string, std::string, int>>{
             {"{\"x\": 10", "application/json", 400},
             {"{\"x\": 10, \"y\": \"row\"}", "application/json", 400},
             {"{\"x\": 10, \"y\": 99999}", "application/json", 400},
             {"x=10&y=20", "application/x-www-form-urlencoded", 415},
             {std::string(5000, ' ') + "{}", "application/json", 413}}) {
        const auto refused = client.Post("/touch", body, type.c_str());
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, status) << body.substr(0, 40);
        EXPECT_FALSE(refused->body.empty()) << "a refusal says why";
    }
    const std::string badLine = rawExchange(simulator.port(), "FETCH\x01 /\r\n\r\n");
    EXPECT_TRUE(badLine.starts_with("HTTP/1.1 400")) << badLine;
    for (const char* path : {"/../../../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "/dialer.png/../report.json",
                             "/page/index.html"}) {
        const std::string answer =
            rawExchange(simulator.port(), std::string("GET ") + path + " HTTP/1.1\r\nHost: " + simulator.authority() +
                                              "\r\nConnection: close\r\n\r\n");
        EXPECT_TRUE(answer.starts_with("HTTP/1.1 404") || answer.starts_with("HTTP/1.1 400")) << path << "\n" << answer;
        EXPECT_EQ(answer.find("root:"), std::string::npos);
    }

    const auto after = client.Get("/settings.png");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->body, before->body);
    EXPECT_FALSE(simulator.root().exists(kPreferences));
    const auto seen = events.seen();
    for (size_t i = seenBefore; i < seen.size(); ++i)
        ADD_FAILURE() << "nothing happens on the device, but it sent " << seen[i].name << ": " << seen[i].data;
}

TEST(SimulatorHttp, AStalledBrowserHoldsNothingAndSigtermEndsEveryProcessOfTheDevice) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty());
    {
        PageEvents events(simulator);
        ASSERT_TRUE(events.await("dialer"));
    }
    const std::vector<pid_t> device = processesOfDevice(simulator.root().path());
    EXPECT_EQ(device.size(), 3u) << "the launcher, the Phone app and the Settings app";

    // Streams that are opened and never read, as many as are allowed; one more is turned away.
    const std::string open = "GET /events HTTP/1.1\r\nHost: " + simulator.authority() + "\r\n\r\n";
    std::vector<int> stalled;
    for (int i = 0; i < 8; ++i) stalled.push_back(stalledConnection(simulator.port(), open));
    EXPECT_EQ(std::count(stalled.begin(), stalled.end(), -1), 0);
    const std::string refused = rawExchange(simulator.port(), open);
    EXPECT_TRUE(refused.starts_with("HTTP/1.1 503")) << refused;
    auto client = simulator.client();
    const auto answer = client.Post("/touch", R"({"x": 160, "y": 20})", "application/json");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200) << "the device still answers: " << answer->body;

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(simulator.stop(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    for (int fd : stalled)
        if (fd >= 0) ::close(fd);
    EXPECT_EQ(processesOfDevice(simulator.root().path()), std::vector<pid_t>{}) << "no orphans";
    for (pid_t pid : device) EXPECT_NE(::kill(pid, 0), 0) << pid;
}

TEST(SimulatorHttp, AnOpenStreamIsToldTheDeviceHasEnded) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty());
    PageEvents events(simulator);
    ASSERT_TRUE(events.await("dialer"));
    EXPECT_EQ(simulator.stop(), 0);
    const auto ended = events.await("ended");
    ASSERT_TRUE(ended) << "the stream closed without a word";
    EXPECT_EQ(ended->data, "the device has ended");
}

TEST(SimulatorHttp, CommandLine) {
    auto help = testing_support::run({CORVANE_SIMULATOR, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Simulator --root DIR [--listen ADDR:PORT]"), std::string::npos) << help.out;
    testing_support::DeviceRoot root;
    for (const auto& argv : std::vector<std::vector<std::string>>{
             {CORVANE_SIMULATOR},
             {CORVANE_SIMULATOR, "--root", root.path() + "/missing"},
             {CORVANE_SIMULATOR, "--root", root.path(), "--listen", "0.0.0.0:8080"},
             {CORVANE_SIMULATOR, "--root", root.path(), "--listen=127.0.0.1"},
             {CORVANE_SIMULATOR, "--root", root.path(), "--root", root.path()},
             {CORVANE_SIMULATOR, "--root", root.path(), "--bogus"}}) {
        const auto result = testing_support::run(argv);
        EXPECT_EQ(result.status, 2) << argv.back();
        EXPECT_NE(result.err.find("Simulator --root DIR"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(SimulatorHttp, ASecondDeviceOnATakenPortIsRefusedAndTheFirstServesOn) {
    RunningSimulator first;
    ASSERT_GT(first.port(), 0);
    testing_support::DeviceRoot root;
    stageDevice(root);
    for (const std::string& listen : {"--listen=" + first.authority(), std::string("--listen")}) {
        // Bounded: a second device that did get the port would serve until ended.
        std::vector<std::string> argv{"/usr/bin/timeout", "20", CORVANE_SIMULATOR, "--root", root.path(), listen};
        if (listen == "--listen") argv.push_back(first.authority());
        const auto second = testing_support::run(argv);
        EXPECT_EQ(second.status, 2) << second.err;
        EXPECT_NE(second.err.find("cannot listen on " + first.authority()), std::string::npos) << second.err;
        EXPECT_EQ(second.out, "");
    }
    EXPECT_EQ(processesOfDevice(root.path()), std::vector<pid_t>{}) << "the refused device left processes";
    auto client = first.client();
    const auto page = client.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
}

TEST(SimulatorHttp, TheSettingsAppClosesEveryCommandsOutputWhenDriven) {
    testing_support::DeviceRoot root;
    stageDevice(root);
    const std::string app = testing_support::Built::binDirectory() + "/Preferences";
    const auto result = testing_support::run({app, "--root", root.path(), "--stdin"},
                                             "open Corvane\ndance\ntargets\ntouch 1 2 3\n");
    EXPECT_EQ(result.status, 1) << "a command failed";
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = result.out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(result.out.substr(at, end - at));
    ASSERT_EQ(lines.size(), 5u) << result.out;
    EXPECT_EQ(lines[0], R"({"done":true})");
    EXPECT_TRUE(lines[1].starts_with(R"({"done":false,"problem":"unknown command 'dance')")) << lines[1];
    EXPECT_NE(lines[2].find(R"("label":"Settings")"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[3], R"({"done":true})");
    EXPECT_TRUE(lines[4].starts_with(R"({"done":false,"problem":)")) << lines[4];
    EXPECT_EQ(result.err.find("dance"), std::string::npos) << "problems go on the done line only";

    const auto both = testing_support::run({app, "--root", root.path(), "--stdin", "-c", "show"});
    EXPECT_EQ(both.status, 2);
}
