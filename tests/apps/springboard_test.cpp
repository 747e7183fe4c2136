// The launcher on a scratch device root, with the stand-in app and with the Phone app itself.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <thread>

#include "BuiltApps.h"
#include "ChildProcess.h"
#include "DeviceRoot.h"
#include "LaunchEvent.h"

using namespace apps_testing;
using testing_support::DeviceRoot;
using testing_support::run;

namespace fs = std::filesystem;

namespace {

using Stream = ChildProcess::Stream;

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        device.copyFile(builtTestApp(), "/Applications/MobilePhone");
        device.copyFile(builtKillall(), "/usr/bin/killall");
        root = fs::canonical(device.path()).string();
    }

    void TearDown() override {
        launcher.reset();
        for (const pid_t app : apps) killIfRunning(app);
    }

    void start(std::vector<std::string> arguments = {}, const std::string& program = builtSpringBoard()) {
        if (arguments.empty()) arguments = {"--root", device.path(), "--app", device / "/Applications/MobilePhone"};
        arguments.insert(arguments.begin(), program);
        launcher = std::make_unique<ChildProcess>(Launch{arguments, {}, "", true});
    }

    // The next launch or exit in the launcher's output, every line of which must be an event; word
    // of a crash loop is kept in `crashes`.
    std::optional<LaunchEvent> nextEvent() {
        for (;;) {
            const auto line = launcher->readLine(Stream::Out);
            if (!line) return std::nullopt;
            auto event = parseLaunchEvent(*line);
            if (!event) {
                ADD_FAILURE() << "not an event: " << *line;
            } else if (event->kind == "crashing") {
                crashes.push_back(*event);
                continue;
            } else if (event->kind == "launched") {
                apps.push_back(static_cast<pid_t>(event->pid));
            }
            return event;
        }
    }

    // Waits for a launched app to be serving.
    bool ready(long pid) {
        const std::string marker = "/ready/" + std::to_string(pid);
        for (int i = 0; i < 3000; ++i) {
            if (device.exists(marker)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    void setBehaviour(const std::string& behaviour) { device.writeFile("/app-behaviour", behaviour); }

    DeviceRoot device;
    std::string root;
    std::unique_ptr<ChildProcess> launcher;
    std::vector<pid_t> apps;
    std::vector<LaunchEvent> crashes;
};

void expectLaunched(const std::optional<LaunchEvent>& event, long count) {
    ASSERT_TRUE(event) << "no event";
    EXPECT_EQ(event->kind, "launched");
    EXPECT_EQ(event->count, count);
}

void expectExited(const std::optional<LaunchEvent>& event, long pid, std::optional<int> signal, std::optional<int> status) {
    ASSERT_TRUE(event) << "no event";
    EXPECT_EQ(event->kind, "exited");
    EXPECT_EQ(event->pid, pid);
    EXPECT_EQ(event->signal, signal);
    EXPECT_EQ(event->status, status);
}

TEST_F(Launcher, StartsTheAppAsAProcessOfTheDevice) {
    start();
    const auto launched = nextEvent();
    expectLaunched(launched, 1);
    ASSERT_TRUE(launched && ready(launched->pid));
    const pid_t app = static_cast<pid_t>(launched->pid);

    EXPECT_EQ(procEntries(app, "cmdline"),
              (std::vector<std::string>{device / "/Applications/MobilePhone", "--root", root, "--serve"}));
    const auto environment = procEntries(app, "environ");
    EXPECT_NE(std::find(environment.begin(), environment.end(), "SIMULATOR_ROOT=" + root), environment.end());
    const auto own = procEntries(launcher->pid(), "environ");
    EXPECT_NE(std::find(own.begin(), own.end(), "SIMULATOR_ROOT=" + root), own.end())
        << "the launcher is a process of the device too";

    // The app's own output went elsewhere: after the end, nothing but events.
    ::kill(launcher->pid(), SIGTERM);
    ASSERT_EQ(launcher->waitForEnd(), 0);
    expectExited(nextEvent(), app, std::nullopt, 0);
    EXPECT_EQ(launcher->readRest(Stream::Out), "");
}

TEST_F(Launcher, RelaunchesTheAppWhenItIsKilledOrEnds) {
    start();
    auto launched = nextEvent();
    expectLaunched(launched, 1);
    ASSERT_TRUE(launched && ready(launched->pid));

    // As the settings pane restarts the Phone app.
    const auto killall = run({device / "/usr/bin/killall", "-9", "MobilePhone"});
    EXPECT_EQ(killall.status, 0) << killall.err;
    expectExited(nextEvent(), launched->pid, SIGKILL, std::nullopt);
    auto relaunched = nextEvent();
    expectLaunched(relaunched, 2);
    ASSERT_TRUE(relaunched && ready(relaunched->pid));
    EXPECT_NE(relaunched->pid, launched->pid);

    ::kill(static_cast<pid_t>(relaunched->pid), SIGTERM);
    expectExited(nextEvent(), relaunched->pid, std::nullopt, 0);
    expectLaunched(nextEvent(), 3);
}

// How a launcher is told to stop: a signal from outside, or the device's own killall.
class LauncherStop : public Launcher, public ::testing::WithParamInterface<std::string> {
protected:
    void stop() {
        if (GetParam() == "killall") {
            const auto result = run({device / "/usr/bin/killall", "SpringBoard"});
            EXPECT_EQ(result.status, 0) << result.err;
        } else {
            ::kill(launcher->pid(), GetParam() == "SIGINT" ? SIGINT : SIGTERM);
        }
    }
};

TEST_P(LauncherStop, EndsTheAppAndThenItselfCleanly) {
    start();
    const auto launched = nextEvent();
    expectLaunched(launched, 1);
    ASSERT_TRUE(launched && ready(launched->pid));

    stop();
    expectExited(nextEvent(), launched->pid, std::nullopt, 0);  // asked to end, not killed
    EXPECT_EQ(launcher->waitForEnd(), 0);
    EXPECT_TRUE(processEnds(static_cast<pid_t>(launched->pid))) << "the app outlived its launcher";
    EXPECT_EQ(launcher->readRest(Stream::Out), "") << "no relaunch after the stop";
}

INSTANTIATE_TEST_SUITE_P(Signals, LauncherStop, ::testing::Values("SIGTERM", "SIGINT", "killall"));

TEST_F(Launcher, KillsAnAppThatWillNotEnd) {
    setBehaviour("stubborn");
    start();
    const auto launched = nextEvent();
    expectLaunched(launched, 1);
    ASSERT_TRUE(launched && ready(launched->pid));

    ::kill(launcher->pid(), SIGTERM);
    expectExited(nextEvent(), launched->pid, SIGKILL, std::nullopt);
    EXPECT_EQ(launcher->waitForEnd(), 0);
    EXPECT_NE(launcher->readRest(Stream::Err).find("did not end after SIGTERM"), std::string::npos);
}

TEST_F(Launcher, BacksOffAnAppThatDiesAtOnce) {
    setBehaviour("exit 3");
    start();
    for (long count = 1; count <= 5; ++count) {
        const auto launched = nextEvent();
        expectLaunched(launched, count);
        ASSERT_TRUE(launched);
        expectExited(nextEvent(), launched->pid, std::nullopt, 3);
    }

    // Relaunched at once twice, then after pauses that grow.
    static const std::regex backoff(R"(crashed within 1 s of launch (\d+) times in a row; waiting (\d+) ms)");
    std::vector<std::pair<int, long>> pauses;
    while (pauses.size() < 3) {
        const auto line = launcher->readLine(Stream::Err);
        ASSERT_TRUE(line) << "no word of backing off";
        std::smatch match;
        if (std::regex_search(*line, match, backoff)) pauses.emplace_back(std::stoi(match[1]), std::stol(match[2]));
    }
    EXPECT_EQ(pauses[0].first, 3);
    EXPECT_EQ(pauses[1].first, 4);
    EXPECT_EQ(pauses[2].first, 5);
    EXPECT_GT(pauses[0].second, 0);
    EXPECT_GT(pauses[1].second, pauses[0].second);
    EXPECT_GT(pauses[2].second, pauses[1].second);
    // Each pause is told on the event lines too, with the same count and wait.
    ASSERT_GE(crashes.size(), 2u);
    EXPECT_EQ(crashes[0].times, 3);
    EXPECT_EQ(crashes[0].nextLaunchMs, pauses[0].second);
    EXPECT_EQ(crashes[1].times, 4);
    EXPECT_EQ(crashes[0].status, 3);
    EXPECT_FALSE(crashes[0].signal);
    EXPECT_EQ(crashes[0].signalName, "");
    EXPECT_EQ(crashes[0].lastWords, "[]");

    // A stop while pausing ends the launcher without another launch.
    ::kill(launcher->pid(), SIGTERM);
    EXPECT_EQ(launcher->waitForEnd(), 0);
    const std::string rest = launcher->readRest(Stream::Out);
    EXPECT_EQ(rest.find("\"launched\""), std::string::npos) << rest;
}

TEST_F(Launcher, BacksOffAnAppThatCrashesButNotOneKilledFromOutside) {
    // Killed at once by the device's killall, again and again, as a burst of setting changes does:
    // each is a restart, relaunched at once.
    start();
    for (long count = 1; count <= 5; ++count) {
        const auto launched = nextEvent();
        expectLaunched(launched, count);
        ASSERT_TRUE(launched && ready(launched->pid));
        const auto killall = run({device / "/usr/bin/killall", "-9", "MobilePhone"});
        EXPECT_EQ(killall.status, 0) << killall.err;
        expectExited(nextEvent(), launched->pid, SIGKILL, std::nullopt);
    }
    ::kill(launcher->pid(), SIGTERM);
    EXPECT_EQ(launcher->waitForEnd(), 0);
    const std::string quiet = launcher->readRest(Stream::Err);
    EXPECT_EQ(quiet.find("crashed"), std::string::npos) << quiet;

    // The same quick ends by a crash of the app's own are held back.
    setBehaviour("abort");
    start();
    for (long count = 1; count <= 3; ++count) {
        const auto launched = nextEvent();
        expectLaunched(launched, count);
        ASSERT_TRUE(launched);
        expectExited(nextEvent(), launched->pid, SIGABRT, std::nullopt);
    }
    // The app's own words still reach the launcher's standard error, before the word of the pause.
    std::string said;
    while (said.find("crashed within 1 s of launch 3 times in a row") == std::string::npos) {
        const auto line = launcher->readLine(Stream::Err);
        ASSERT_TRUE(line) << said;
        said += *line + "\n";
    }
    EXPECT_NE(said.find("the tweak gave up"), std::string::npos) << said;
    // The event lines tell the loop with the signal and the last lines the app wrote.
    const auto loop = nextEvent();  // the fourth launch comes after the word of the loop
    ASSERT_TRUE(loop);
    ASSERT_EQ(crashes.size(), 1u);
    EXPECT_EQ(crashes[0].times, 3);
    EXPECT_EQ(crashes[0].signal, SIGABRT);
    EXPECT_EQ(crashes[0].signalName, "SIGABRT");
    EXPECT_FALSE(crashes[0].status);
    EXPECT_EQ(crashes[0].lastWords, R"(["first words","the tweak gave up","last words, unfinished"])");
}

TEST_F(Launcher, DoesNotHoldBackAnAppThatLived) {
    setBehaviour("live 1300 0");
    start();
    for (long count = 1; count <= 4; ++count) {
        const auto launched = nextEvent();
        expectLaunched(launched, count);
        ASSERT_TRUE(launched);
        expectExited(nextEvent(), launched->pid, std::nullopt, 0);
    }
    ::kill(launcher->pid(), SIGTERM);
    EXPECT_EQ(launcher->waitForEnd(), 0);
    const std::string messages = launcher->readRest(Stream::Err);
    EXPECT_EQ(messages.find("waiting"), std::string::npos) << messages;
}

TEST_F(Launcher, FindsTheAppInItsOwnDirectory) {
    device.copyFile(builtSpringBoard(), "/Applications/SpringBoard");
    start({"--root", device.path()}, device / "/Applications/SpringBoard");
    const auto launched = nextEvent();
    expectLaunched(launched, 1);
    ASSERT_TRUE(launched);
    EXPECT_EQ(procEntries(static_cast<pid_t>(launched->pid), "cmdline").at(0), device / "/Applications/MobilePhone");

    // Alone in its directory, it has nothing to launch.
    device.copyFile(builtSpringBoard(), "/Alone/SpringBoard");
    const auto alone = run({device / "/Alone/SpringBoard", "--root", device.path()});
    EXPECT_EQ(alone.status, 2);
    EXPECT_NE(alone.err.find(device / "/Alone/MobilePhone"), std::string::npos) << alone.err;
}

TEST_F(Launcher, LaunchesThePhoneAppItselfAndClearsTheReportOfAnAppThatEnded) {
    start({"--root", device.path()});  // the built launcher's neighbour is the built Phone app
    const std::string report = "/var/mobile/Library/MobilePhone/report.json";
    // The report the app wrote, once it names `pid`.
    auto reportOf = [&](long pid) {
        for (int i = 0; i < 3000; ++i) {
            if (device.exists(report)) {
                const auto text = nlohmann::json::parse(device.readFile(report), nullptr, false);
                if (text.is_object() && text.value("pid", 0L) == pid) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    };
    const auto launched = nextEvent();
    expectLaunched(launched, 1);
    ASSERT_TRUE(launched);
    EXPECT_EQ(procEntries(static_cast<pid_t>(launched->pid), "comm"), std::vector<std::string>{"MobilePhone\n"});
    ASSERT_TRUE(reportOf(launched->pid)) << "the app served a report naming itself";

    const auto killall = run({device / "/usr/bin/killall", "-9", "MobilePhone"});
    EXPECT_EQ(killall.status, 0) << killall.err;
    expectExited(nextEvent(), launched->pid, SIGKILL, std::nullopt);
    if (device.exists(report)) {
        const auto text = nlohmann::json::parse(device.readFile(report), nullptr, false);
        EXPECT_NE(text.value("pid", 0L), launched->pid) << "the killed app's report was left behind";
    }
    const auto relaunched = nextEvent();
    expectLaunched(relaunched, 2);
    ASSERT_TRUE(relaunched && reportOf(relaunched->pid));

    ::kill(launcher->pid(), SIGTERM);
    expectExited(nextEvent(), relaunched->pid, std::nullopt, 0);
    EXPECT_EQ(launcher->waitForEnd(), 0);
    EXPECT_FALSE(device.exists(report)) << "an app that ended leaves no report";
}

TEST_F(Launcher, NoAppOutlivesALauncherThatIsKilled) {
    start();
    const auto launched = nextEvent();
    expectLaunched(launched, 1);
    ASSERT_TRUE(launched && ready(launched->pid));
    ::kill(launcher->pid(), SIGKILL);
    ASSERT_TRUE(launcher->waitForEnd());
    EXPECT_TRUE(processEnds(static_cast<pid_t>(launched->pid)));
}

TEST_F(Launcher, RejectsBadCommandLinesWithUsage) {
    device.writeFile("/not-executable", "data");
    const std::string app = device / "/Applications/MobilePhone";
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {},
             {"--root"},
             {"--app", app},
             {"--root", device / "/missing", "--app", app},
             {"--root", device / "/not-executable", "--app", app},
             {"--root", device.path(), "--app", device / "/missing"},
             {"--root", device.path(), "--app", device / "/not-executable"},
             {"--root", device.path(), "--app", device / "/Applications"},
             {"--root", device.path(), "--app", app, "--bogus"}}) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        auto argv = arguments;
        argv.insert(argv.begin(), builtSpringBoard());
        const auto result = run(argv);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("usage: SpringBoard"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(device.exists("/ready")) << "nothing was launched";
}

}  // namespace
