// The MobilePhone host's command line, as the launcher, the demo and people use it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "DeviceRoot.h"
#include "PhoneSession.h"
#include "ReportFields.h"

using testing_support::Built;
using testing_support::DeviceRoot;
using testing_support::run;

TEST(MobilePhoneHost, RefusesBadCommandLinesWithUsage) {
    DeviceRoot device;
    const std::string phone = Built::mobilePhone();
    for (const auto& argv : std::vector<std::vector<std::string>>{
             {phone},
             {phone, "--report"},
             {phone, "--root"},
             {phone, "--root", device.path()},
             {phone, "--root", device.path() + "/missing", "--report"},
             {phone, "--root", device.path(), "--report", "--bogus"},
             {phone, "--root", device.path(), "--report", "--stdin"}}) {
        auto result = run(argv);
        EXPECT_EQ(result.status, 2) << argv.size();
        EXPECT_NE(result.err.find("usage: MobilePhone"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(MobilePhoneHost, ASessionReportsOnRequestAndSurvivesUnknownCommands) {
    DeviceRoot device;
    device.installHookLibrary();
    auto result = run({Built::mobilePhone(), "--root", device.path(), "--stdin"}, "report \ndance\n\treport\nquit\nreport\n");
    EXPECT_EQ(result.status, 1) << "the unknown command fails the session at its end";
    EXPECT_NE(result.err.find("unknown command 'dance'"), std::string::npos) << result.err;
    const auto first = result.out.find('\n');
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(result.out.substr(0, first), result.out.substr(first + 1, result.out.size() - first - 2))
        << "two reports, identical, and nothing after quit";
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 2);
}

TEST(MobilePhoneHost, ServingWritesItsReportAndEndsCleanlyOnTerm) {
    DeviceRoot device;
    device.installHookLibrary();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::string phone = Built::mobilePhone();
        ::execl(phone.c_str(), phone.c_str(), "--root", device.path().c_str(), "--serve", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const std::string report = "/var/mobile/Library/MobilePhone/report.json";
    for (int i = 0; i < 1000 && !device.exists(report); ++i) ::usleep(5000);
    ASSERT_TRUE(device.exists(report));
    const std::string text = device.readFile(report);
    EXPECT_EQ(testing_support::jsonField(text, "loaded"), "[\"Corvane.dylib\"]");
    EXPECT_EQ(testing_support::jsonField(text, "pid"), std::to_string(pid)) << "the report names its writer";
    EXPECT_EQ(text.back(), '\n');
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, WNOHANG), 0) << "still serving";
    ::kill(pid, SIGTERM);
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(device.exists(report)) << "an app asked to end takes its report with it";
}
