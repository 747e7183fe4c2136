#pragma once
// The one way every host and developer tool reads its command line: long options in GNU form
// (`--root DIR` or `--root=DIR`, unique abbreviations accepted), `--help` on standard output,
// `--version`, each option at most once unless it says otherwise, and every usage error reported
// the same way, on standard error with exit status 2.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

inline constexpr int kUsageError = 2;

struct Option {
    std::string name;          // long name, without dashes
    std::string value;         // placeholder of its value ("DIR"); empty for a flag
    std::string help;          // one line for --help
    char letter = 0;           // short form, 0 for none
    bool repeatable = false;   // otherwise a second use is a usage error
};

struct Program {
    std::string name;      // as messages name it
    std::string synopsis;  // the usage line after the name
    std::string summary = {};  // what the program does, for --help
    std::vector<Option> options;
    std::string details = {};  // printed after the option list by --help
    // Long options take one dash (`-lint`, `-o`), as the tools this kind of program imitates do;
    // two dashes are accepted too.
    bool singleDash = false;
    bool takesOperands = false;  // arguments that are not options
};

// What the command line asked for, in the order given.
class Arguments {
public:
    bool has(std::string_view name) const;
    // The value of the option's last use; nothing when it was not given.
    std::optional<std::string> value(std::string_view name) const;
    const std::vector<std::pair<std::string, std::string>>& given() const { return given_; }
    const std::vector<std::string>& operands() const { return operands_; }

    void add(std::string name, std::string value) { given_.emplace_back(std::move(name), std::move(value)); }
    void addOperand(std::string operand) { operands_.push_back(std::move(operand)); }

private:
    std::vector<std::pair<std::string, std::string>> given_;
    std::vector<std::string> operands_;
};

struct Parsed {
    enum class Outcome { Run, Help, Version, UsageError };
    Outcome outcome = Outcome::Run;
    Arguments arguments;
    std::string problem;  // why, for a usage error
};

// Reads the command line without printing anything; argv itself is left as it was.
Parsed parse(const Program& program, int argc, const char* const* argv);

std::string helpText(const Program& program);
std::string versionText(const Program& program);
// How an option is written on this program's command line ("--root", "-lint").
std::string spelling(const Program& program, const Option& option);

// Prints the problem, the usage line and a pointer to --help on standard error; returns 2.
int usageError(const Program& program, std::string_view problem);
// Prints what a help, version or usage-error outcome calls for and returns the exit status; nothing
// when the program should go on and run.
std::optional<int> finish(const Program& program, const Parsed& parsed);
// parse and finish together: the arguments to run with, or nothing with `status` set to the exit
// status of a program that is done.
std::optional<Arguments> read(const Program& program, int argc, const char* const* argv, int& status);

// The device root, which every host of the simulated device takes.
Option rootOption();
// Why the command line names no device root (--root missing, or not an existing directory);
// nothing when it names one.
std::optional<std::string> deviceRootProblem(const Arguments& arguments);

}  // namespace cli
