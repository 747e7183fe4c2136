// The option parser on its own: what each kind of command line turns into.

#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/CommandLine.h"

namespace {

using Outcome = cli::Parsed::Outcome;

const cli::Program& host() {
    static const cli::Program program{
        .name = "Host",
        .synopsis = "--root DIR [--render FILE]",
        .options = {cli::rootOption(), {"report", "", "a flag"}, {"render", "FILE", "a value"},
                    {"commands", "CMDS", "with a letter", 'c'}, {"tag", "T", "repeatable", 0, true}},
    };
    return program;
}

const cli::Program& tool() {
    static const cli::Program program{
        .name = "tool",
        .synopsis = "-verb FILE...",
        .options = {{"lint", "", "a verb"}, {"insert", "KEYPATH", "a verb with a value"}, {"integer", "N", "a value"},
                    {"o", "OUT", "output"}},
        .singleDash = true,
        .takesOperands = true,
    };
    return program;
}

cli::Parsed parse(const cli::Program& program, std::vector<const char*> words) {
    words.insert(words.begin(), program.name.c_str());
    return cli::parse(program, static_cast<int>(words.size()), words.data());
}

// One command line, what it must give: an outcome, the problem's text (usage errors), and the
// options and operands read, written as "name=value" in command-line order.
struct Case {
    const cli::Program* program;
    std::vector<const char*> words;
    Outcome outcome;
    std::string problem;
    std::vector<std::string> read;
};

std::vector<std::string> readBack(const cli::Arguments& arguments) {
    std::vector<std::string> read;
    for (const auto& [name, value] : arguments.given()) read.push_back(name + "=" + value);
    for (const auto& operand : arguments.operands()) read.push_back(operand);
    return read;
}

TEST(CommandLine, ReadsEachFormAndRefusesWhatItCannotRead) {
    const Case cases[] = {
        {&host(), {"--root", "/r", "--report"}, Outcome::Run, "", {"root=/r", "report="}},
        {&host(), {"--root=/r", "--render=a=b.png"}, Outcome::Run, "", {"root=/r", "render=a=b.png"}},
        {&host(), {"--root", "--report"}, Outcome::Run, "", {"root=--report"}},  // a value may look like an option
        {&host(), {"--roo", "/r", "-cshow", "--rep"}, Outcome::Run, "", {"root=/r", "commands=show", "report="}},
        {&host(), {"-c", "a; b", "--tag", "x", "--tag=y"}, Outcome::Run, "", {"commands=a; b", "tag=x", "tag=y"}},
        {&host(), {"--root", "/r", "--help"}, Outcome::Help, "", {}},
        {&host(), {"-h"}, Outcome::Help, "", {}},
        {&host(), {"--version", "--help"}, Outcome::Help, "", {}},
        {&host(), {"--version"}, Outcome::Version, "", {}},
        {&host(), {"--root", "/a", "--root=/b"}, Outcome::UsageError, "option '--root' given twice", {}},
        {&host(), {"-c", "a", "--commands", "b"}, Outcome::UsageError, "option '--commands' given twice", {}},
        {&host(), {"--bogus"}, Outcome::UsageError, "unknown option '--bogus'", {}},
        {&host(), {"--bogus=1"}, Outcome::UsageError, "unknown option '--bogus'", {}},
        {&host(), {"-z"}, Outcome::UsageError, "unknown option '-z'", {}},
        {&host(), {"--re"}, Outcome::UsageError, "option '--re' is ambiguous (--report, --render)", {}},
        {&host(), {"--report=yes"}, Outcome::UsageError, "option '--report' takes no value", {}},
        {&host(), {"--help=me"}, Outcome::UsageError, "option '--help' takes no value", {}},
        {&host(), {"--root"}, Outcome::UsageError, "option '--root' needs a value", {}},
        {&host(), {"-c"}, Outcome::UsageError, "option '--commands' needs a value", {}},
        {&host(), {"stray"}, Outcome::UsageError, "unexpected argument 'stray'", {}},
        {&host(), {"--", "stray"}, Outcome::UsageError, "unexpected argument 'stray'", {}},
        {&tool(), {"-lint", "a.plist", "b.plist"}, Outcome::Run, "", {"lint=", "a.plist", "b.plist"}},
        {&tool(), {"--lint", "a.plist"}, Outcome::Run, "", {"lint=", "a.plist"}},
        {&tool(), {"-insert", "k.0", "-integer", "-5", "f", "-o", "-"}, Outcome::Run, "",
         {"insert=k.0", "integer=-5", "o=-", "f"}},
        {&tool(), {"-lint", "--", "-o"}, Outcome::Run, "", {"lint=", "-o"}},
        {&tool(), {"-help"}, Outcome::Help, "", {}},
        {&tool(), {"-i"}, Outcome::UsageError, "option '-i' is ambiguous (-insert, -integer)", {}},
        {&tool(), {"-xml1"}, Outcome::UsageError, "unknown option '-xml1'", {}},
        {&tool(), {"-o"}, Outcome::UsageError, "option '-o' needs a value", {}},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const char* word : c.words) line += std::string(word) + " ";
        const cli::Parsed parsed = parse(*c.program, c.words);
        EXPECT_EQ(parsed.outcome, c.outcome) << line;
        EXPECT_EQ(parsed.problem, c.problem) << line;
        if (c.outcome == Outcome::Run) {
            EXPECT_EQ(readBack(parsed.arguments), c.read) << line;
        }
    }
}

// Operands stay in place and options after them are still read, whatever the environment asks of
// getopt; and the caller's argv is left as it was.
TEST(CommandLine, ReadsTheSameWithPosixlyCorrectAndLeavesArgvAlone) {
    ::setenv("POSIXLY_CORRECT", "1", 1);
    std::vector<const char*> words = {"tool", "-insert", "k", "f", "-o", "out"};
    const std::vector<const char*> before = words;
    const cli::Parsed parsed = cli::parse(tool(), static_cast<int>(words.size()), words.data());
    ::unsetenv("POSIXLY_CORRECT");
    EXPECT_EQ(readBack(parsed.arguments), (std::vector<std::string>{"insert=k", "o=out", "f"}));
    EXPECT_EQ(words, before);
}

TEST(CommandLine, HelpListsEveryOptionInTheProgramsOwnSpelling) {
    const std::string hostHelp = cli::helpText(host());
    EXPECT_EQ(hostHelp.rfind("usage: Host --root DIR [--render FILE]\n", 0), 0u) << hostHelp;
    for (const char* line : {"--root DIR", "-c, --commands CMDS", "-h, --help", "--version", "--render FILE "})
        EXPECT_NE(hostHelp.find(line), std::string::npos) << line << "\n" << hostHelp;
    const std::string toolHelp = cli::helpText(tool());
    for (const char* line : {"-insert KEYPATH", "-o OUT", "-help"}) EXPECT_NE(toolHelp.find(line), std::string::npos) << line;
    EXPECT_EQ(toolHelp.find("--"), std::string::npos) << toolHelp;
}

TEST(CommandLine, DeviceRootMustBeGivenAndBeADirectory) {
    const auto rootProblem = [](std::vector<const char*> words) {
        return cli::deviceRootProblem(parse(host(), words).arguments);
    };
    EXPECT_EQ(rootProblem({"--root=/"}), std::nullopt);
    EXPECT_EQ(rootProblem({"--report"}), "--root is required");
    EXPECT_EQ(rootProblem({"--root="}), "device root '' is not a directory");
    EXPECT_EQ(rootProblem({"--root", "/proc/self/status"}), "device root '/proc/self/status' is not a directory");
}

}  // namespace
