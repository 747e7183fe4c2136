// Every host of the simulated device reads its command line the same way: help on standard output,
// a version, the root in either form, and one format and exit status for every usage error.

#include <gtest/gtest.h>

#include <regex>

#include "DeviceRoot.h"

namespace {

using testing_support::Built;
using testing_support::DeviceRoot;
using testing_support::run;

struct Host {
    std::string name;
    // Arguments after the root that make the host end by itself, quickly.
    std::vector<std::string> quickArguments;
};

const std::vector<Host>& hosts() {
    static const std::vector<Host> hosts = {
        {"MobilePhone", {"--report"}},
        {"Preferences", {"-c", "show"}},
        {"SpringBoard", {"--app", "/nonexistent/app"}},
#ifdef CORVANE_HAS_SIMULATOR
        {"Simulator", {"--listen", "nowhere"}},
#endif
    };
    return hosts;
}

std::vector<std::string> command(const Host& host, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), Built::binDirectory() + "/" + host.name);
    return arguments;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

TEST(HostCommandLines, FollowOneConvention) {
    DeviceRoot device;
    for (const Host& host : hosts()) {
        SCOPED_TRACE(host.name);
        const auto help = run(command(host, {"--help"}));
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(startsWith(help.out, "usage: " + host.name + " ")) << help.out;
        EXPECT_NE(help.out.find("--root DIR"), std::string::npos) << help.out;
        EXPECT_EQ(help.err, "");

        const auto version = run(command(host, {"--version"}));
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, host.name + " (Corvane) 1.4-3\n") << "the package's version";

        const std::string unknownProblem = host.name + ": unknown option '--no-such-option'\nusage: " + host.name;
        for (const auto& words : {std::vector<std::string>{"--no-such-option"},
                                  {"--root", device.path(), "--no-such-option"}}) {
            const auto unknown = run(command(host, words));
            EXPECT_EQ(unknown.status, 2);
            EXPECT_TRUE(startsWith(unknown.err, unknownProblem)) << unknown.err;
            EXPECT_EQ(unknown.out, "");
        }

        auto joined = host.quickArguments, separate = host.quickArguments;
        joined.insert(joined.begin(), "--root=" + device.path());
        separate.insert(separate.begin(), {"--root", device.path()});
        const auto withEquals = run(command(host, joined)), withSpace = run(command(host, separate));
        EXPECT_EQ(withEquals.status, withSpace.status);
        // The same output, but for the pid a Phone app report names.
        static const std::regex pid(R"("pid":\d+)");
        EXPECT_EQ(std::regex_replace(withEquals.out, pid, ""), std::regex_replace(withSpace.out, pid, ""));
        EXPECT_EQ(withEquals.err, withSpace.err);
        EXPECT_EQ(withEquals.err.find("device root"), std::string::npos) << withEquals.err;

        auto twice = separate;
        twice.insert(twice.begin(), "--root=" + device.path());
        const auto repeated = run(command(host, twice));
        EXPECT_EQ(repeated.status, 2);
        EXPECT_TRUE(startsWith(repeated.err, host.name + ": option '--root' given twice\n")) << repeated.err;

        const auto missing = run(command(host, {"--root=" + device.path() + "/missing"}));
        EXPECT_EQ(missing.status, 2);
        EXPECT_TRUE(startsWith(missing.err, host.name + ": device root '" + device.path() + "/missing'")) << missing.err;
    }
}

}  // namespace
