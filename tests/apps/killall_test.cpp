// The device's killall against real processes of two device roots and of none.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "BuiltApps.h"
#include "ChildProcess.h"
#include "DeviceRoot.h"

using namespace apps_testing;
using testing_support::DeviceRoot;
using testing_support::ProcessResult;
using testing_support::run;

namespace {

constexpr const char* kKillall = "/usr/bin/killall";
const char* const kNoMatch = "No matching processes belonging to you were found";

class DeviceKillall : public ::testing::Test {
protected:
    void SetUp() override {
        for (DeviceRoot* device : {&deviceA, &deviceB}) device->copyFile(builtKillall(), kKillall);
        elsewhere.copyFile(builtTestApp(), "/MobilePhone");
    }

    // A process named `name` (a copy of the stand-in app) whose SIMULATOR_ROOT is `root`, or of no
    // device when `root` is empty.
    std::unique_ptr<ChildProcess> startProcess(const std::string& root, const std::string& name = "MobilePhone",
                                               const std::string& workingDirectory = "") {
        const std::string program = elsewhere / ("/" + name);
        if (!std::filesystem::exists(program)) elsewhere.copyFile(builtTestApp(), "/" + name);
        Launch launch{{program}, {}, workingDirectory, false};
        if (!root.empty()) launch.environment["SIMULATOR_ROOT"] = root;
        return std::make_unique<ChildProcess>(launch);
    }

    ProcessResult killall(const DeviceRoot& device, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), device / kKillall);
        return run(arguments);
    }

    DeviceRoot deviceA, deviceB, elsewhere;
};

// The signal a process ended with; -1 if it is still running after a generous wait.
int endingSignal(ChildProcess& process) {
    const auto status = process.waitForEnd();
    return status && WIFSIGNALED(*status) ? WTERMSIG(*status) : -1;
}

// A signal, once sent, has decided how the process ends: a process that killall left alone ends
// with the SIGKILL sent here, not with what killall would have sent.
bool wasLeftAlone(ChildProcess& process) {
    if (!process.running()) return false;
    ::kill(process.pid(), SIGKILL);
    return endingSignal(process) == SIGKILL;
}

TEST_F(DeviceKillall, SignalsOnlyTheProcessesOfItsOwnDevice) {
    auto ofA = startProcess(deviceA.path());
    auto secondOfA = startProcess(deviceA.path());
    auto ofB = startProcess(deviceB.path());
    auto ofNoDevice = startProcess("");

    const auto result = killall(deviceA, {"-TERM", "MobilePhone"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(endingSignal(*ofA), SIGTERM);
    EXPECT_EQ(endingSignal(*secondOfA), SIGTERM);
    EXPECT_TRUE(wasLeftAlone(*ofB));
    EXPECT_TRUE(wasLeftAlone(*ofNoDevice));
}

TEST_F(DeviceKillall, OtherSpellingsOfItsRootNameTheSameDevice) {
    const std::string link = elsewhere / "/link-to-A";
    std::filesystem::create_directory_symlink(deviceA.path(), link);
    auto throughLink = startProcess(link);
    auto withTrailingSlash = startProcess(deviceA.path() + "/");
    auto relative = startProcess(".", "MobilePhone", deviceA.path());
    auto inASubdirectory = startProcess(deviceA / "/usr");
    auto ofMissingRoot = startProcess(deviceA / "/missing");

    const auto result = killall(deviceA, {"-HUP", "MobilePhone"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(endingSignal(*throughLink), SIGHUP);
    EXPECT_EQ(endingSignal(*withTrailingSlash), SIGHUP);
    EXPECT_EQ(endingSignal(*relative), SIGHUP);
    EXPECT_TRUE(wasLeftAlone(*inASubdirectory));
    EXPECT_TRUE(wasLeftAlone(*ofMissingRoot));
}

TEST_F(DeviceKillall, DeliversTheSignalItIsAskedFor) {
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{}, SIGTERM},           {{"-9"}, SIGKILL},         {{"-KILL"}, SIGKILL},    {{"-TERM"}, SIGTERM},
        {{"-SIGHUP"}, SIGHUP},   {{"-int"}, SIGINT},        {{"-USR1"}, SIGUSR1},    {{"-s", "USR2"}, SIGUSR2},
        {{"-s", "15"}, SIGTERM}, {{"-s", "sigpipe"}, SIGPIPE}, {{"-ALRM"}, SIGALRM},
    };
    for (const auto& [options, expected] : cases) {
        SCOPED_TRACE(::testing::PrintToString(options));
        auto process = startProcess(deviceA.path());
        auto arguments = options;
        arguments.push_back("MobilePhone");
        const auto result = killall(deviceA, arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(endingSignal(*process), expected);
    }
}

TEST_F(DeviceKillall, SignalsEveryNamedProcessAndSucceedsIfAnyMatched) {
    auto phone = startProcess(deviceA.path(), "MobilePhone");
    auto board = startProcess(deviceA.path(), "SpringBoard");
    auto settings = startProcess(deviceA.path(), "Preferences");

    const auto result = killall(deviceA, {"-9", "NoSuchApp", "MobilePhone", "SpringBoard"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(endingSignal(*phone), SIGKILL);
    EXPECT_EQ(endingSignal(*board), SIGKILL);
    EXPECT_TRUE(settings->running());
}

TEST_F(DeviceKillall, LongNamesCompareOnTheFifteenCharactersTheKernelKeeps) {
    auto process = startProcess(deviceA.path(), "MobilePhoneHelperLong");  // runs as "MobilePhoneHelp"

    // Too short, or different within the first fifteen characters.
    for (const char* name : {"MobilePhone", "MobilePhoneHel", "MobilePhoneHElperLong"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(killall(deviceA, {"-TERM", name}).status, 1);
        EXPECT_TRUE(process->running());
    }
    const auto result = killall(deviceA, {"-TERM", "MobilePhoneHelpXYZ"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(endingSignal(*process), SIGTERM);
}

TEST_F(DeviceKillall, NothingToSignalExitsOneWithTheUsualMessage) {
    auto ofB = startProcess(deviceB.path());
    auto result = killall(deviceA, {"-9", "MobilePhone"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(kNoMatch), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");

    // An ended process of the device that nobody has reaped yet still carries the name.
    auto ended = startProcess(deviceA.path());
    ::kill(ended->pid(), SIGKILL);
    ASSERT_TRUE(processEnds(ended->pid()));
    result = killall(deviceA, {"-9", "MobilePhone"});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find(kNoMatch), std::string::npos) << result.err;
    EXPECT_TRUE(wasLeftAlone(*ofB));
}

TEST_F(DeviceKillall, NeverSignalsItself) {
    const auto result = run({deviceA / kKillall, "-TERM", "killall"}, "", {{"SIMULATOR_ROOT", deviceA.path()}});
    EXPECT_EQ(result.status, 1) << "a status of 143 means it ended itself";
    EXPECT_NE(result.err.find(kNoMatch), std::string::npos) << result.err;
}

TEST_F(DeviceKillall, RefusesToRunOutsideADeviceRoot) {
    elsewhere.copyFile(builtKillall(), "/bin/killall");
    elsewhere.copyFile(builtKillall(), "/usr/sbin/killall");
    auto ofA = startProcess(deviceA.path());
    for (const std::string& program : {builtKillall(), elsewhere / "/bin/killall", elsewhere / "/usr/sbin/killall"}) {
        SCOPED_TRACE(program);
        const auto result = run({program, "-TERM", "MobilePhone"}, "", {{"SIMULATOR_ROOT", deviceA.path()}});
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("not inside a device root"), std::string::npos) << result.err;
    }
    EXPECT_TRUE(wasLeftAlone(*ofA));
}

TEST_F(DeviceKillall, RejectsBadCommandLinesWithUsage) {
    auto process = startProcess(deviceA.path());
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"-9"}, {"-s"}, {"-s", "BOGUS", "MobilePhone"}, {"-FOO", "MobilePhone"}, {"-99999", "MobilePhone"},
             {"-SIG", "MobilePhone"}, {"-9x", "MobilePhone"}}) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const auto result = killall(deviceA, arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("usage: killall"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(wasLeftAlone(*process));
    const auto version = killall(deviceA, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "killall (Corvane) 1.4-3\n") << "the package's version, as every program prints it";
}

TEST_F(DeviceKillall, ListsTheSignalNamesItUnderstands) {
    const auto listing = killall(deviceA, {"-l"});
    ASSERT_EQ(listing.status, 0) << listing.err;
    std::istringstream words(listing.out);
    std::vector<std::string> names;
    for (std::string word; words >> word;) names.push_back(word);
    for (const char* expected : {"HUP", "INT", "KILL", "USR1", "TERM"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
    }
    // Every listed name is accepted back (exit 1: nothing to signal, not 2: bad signal).
    for (const auto& name : names) {
        EXPECT_EQ(killall(deviceA, {"-" + name, "NoSuchApp"}).status, 1) << name;
    }
}

}  // namespace
