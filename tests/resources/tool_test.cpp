// The build-time resource tool on bad input: a clear message, a failing status, and no output file
// written half or replaced by a broken one.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "DeviceRoot.h"
#include "PngImage.h"
#include "ResourcePaths.h"
#include "StringsTables.h"

namespace {

namespace fs = std::filesystem;
using testing_support::DeviceRoot;
using testing_support::ProcessResult;

constexpr int kFailure = 1;
constexpr int kUsage = 2;

ProcessResult runTool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{resources::tool()};
    argv.insert(argv.end(), args.begin(), args.end());
    return testing_support::run(argv);
}

std::string plistSource(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

std::vector<std::string> filesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
    return names;
}

class ResourceTool : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return scratch_ / ("/" + name); }
    void write(const std::string& name, const std::string& bytes) const { scratch_.writeFile("/" + name, bytes); }
    std::string read(const std::string& name) const { return scratch_.readFile("/" + name); }

    DeviceRoot scratch_;
};

TEST_F(ResourceTool, CompilesAStringsTableToBinary) {
    write("in.strings", plistSource("<dict><key>White</key><string>Weiß</string></dict>"));
    const ProcessResult result = runTool({"plist", "--binary", "--strings", path("in.strings"), path("out.strings")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(read("out.strings").substr(0, 8), "bplist00");
    EXPECT_EQ(readStringsTable(path("out.strings")), (StringsTable{{"White", "Weiß"}}));
}

TEST_F(ResourceTool, RefusesBrokenSourcesAndKeepsThePreviousOutput) {
    const std::string previous = plistSource("<dict><key>Red</key><string>Rot</string></dict>");
    struct Case {
        const char* what;
        std::string source;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"garbage", "this is not a property list", "not a property list"},
        {"empty file", "", "not a property list"},
        {"cut off", plistSource("<dict><key>Red</key><string>Rot").substr(0, 70), "not a property list"},
        {"array at the top", plistSource("<array><string>Red</string></array>"), "not a dictionary"},
        {"number as a text", plistSource("<dict><key>Red</key><integer>3</integer></dict>"), "\"Red\" is not a string"},
        {"empty key", plistSource("<dict><key></key><string>Rot</string></dict>"), "empty key"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write("out.strings", previous);
        write("in.strings", c.source);
        const ProcessResult result = runTool({"plist", "--xml", "--strings", path("in.strings"), path("out.strings")});
        EXPECT_EQ(result.status, kFailure);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("in.strings"), std::string::npos) << "the message names the source";
        EXPECT_EQ(read("out.strings"), previous);
        EXPECT_EQ(filesIn(scratch_.path()).size(), 2u) << "a temporary file was left behind";
    }
}

TEST_F(ResourceTool, PlainDictionariesMayHoldAnyValue) {
    write("Info.plist", plistSource("<dict><key>isController</key><true/><key>n</key><integer>3</integer></dict>"));
    const ProcessResult result = runTool({"plist", "--xml", path("Info.plist"), path("out.plist")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(read("out.plist").find("<true/>"), std::string::npos);
}

TEST_F(ResourceTool, ReportsAMissingSource) {
    const ProcessResult result = runTool({"plist", "--xml", path("missing.plist"), path("out.plist")});
    EXPECT_EQ(result.status, kFailure);
    EXPECT_NE(result.err.find("cannot read"), std::string::npos) << result.err;
    EXPECT_FALSE(scratch_.exists("/out.plist"));
}

TEST_F(ResourceTool, ReportsAnUnwritableOutput) {
    write("in.plist", plistSource("<dict/>"));
    write("file", "a file, not a directory");
    const ProcessResult result = runTool({"plist", "--xml", path("in.plist"), path("file/out.plist")});
    EXPECT_EQ(result.status, kFailure);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
}

TEST_F(ResourceTool, RejectsMalformedCommandLines) {
    const std::vector<std::vector<std::string>> lines = {
        {},
        {"paint"},
        {"plist", path("in.plist"), path("out.plist")},                      // no format
        {"plist", "--xml", path("in.plist")},                                 // no output
        {"plist", "--xml", "--pretty", path("in.plist"), path("out.plist")},  // unknown option
        {"icons", path("")},                                                  // no icon named
    };
    for (const auto& line : lines) {
        const ProcessResult result = runTool(line);
        EXPECT_EQ(result.status, kUsage) << testing::PrintToString(line);
        EXPECT_NE(result.err.find("usage:"), std::string::npos) << result.err;
    }
    EXPECT_NE(runTool({"paint"}).err.find("unknown command \"paint\""), std::string::npos);
}

TEST_F(ResourceTool, AnUnknownIconDrawsNothingAtAll) {
    const ProcessResult result = runTool({"icons", scratch_.path(), "heart", "hart"});
    EXPECT_EQ(result.status, kFailure);
    EXPECT_NE(result.err.find("unknown icon \"hart\""), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("heart"), std::string::npos) << "the message lists the known icons";
    EXPECT_TRUE(filesIn(scratch_.path()).empty());
}

TEST_F(ResourceTool, DrawsTheNamedIconsAtBothScales) {
    const ProcessResult result = runTool({"icons", path("out"), "support", "pelo"});
    ASSERT_EQ(result.status, 0) << result.err;
    auto names = filesIn(path("out"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"pelo.png", "pelo@2x.png", "support.png", "support@2x.png"}));
    EXPECT_EQ(PngImage::load(path("out/pelo@2x.png")).width, 130);
}

}  // namespace
