#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "cli/CommandLine.h"

namespace cli {
namespace {

std::string optionColumn(const Program& program, const Option& option) {
    // Single-dash programs have no short forms, so no column for them.
    std::string column = program.singleDash ? "" : option.letter ? std::string("-") + option.letter + ", " : "    ";
    column += spelling(program, option);
    if (!option.value.empty()) column += " " + option.value;
    return column;
}

}  // namespace

std::string spelling(const Program& program, const Option& option) {
    return (program.singleDash ? "-" : "--") + option.name;
}

std::string helpText(const Program& program) {
    std::vector<Option> listed = program.options;
    listed.push_back({"help", "", "print this help and exit", program.singleDash ? '\0' : 'h'});
    listed.push_back({"version", "", "print the version and exit"});
    size_t width = 0;
    for (const auto& option : listed) width = std::max(width, optionColumn(program, option).size());

    std::string text = "usage: " + program.name + " " + program.synopsis + "\n";
    if (!program.summary.empty()) text += program.summary + "\n";
    text += "\noptions:\n";
    for (const auto& option : listed) {
        const std::string column = optionColumn(program, option);
        text += "  " + column + std::string(width - column.size() + 2, ' ') + option.help + "\n";
    }
    if (!program.details.empty()) text += "\n" + program.details;
    return text;
}

std::string versionText(const Program& program) { return program.name + " (Corvane) " CORVANE_VERSION "\n"; }

int usageError(const Program& program, std::string_view problem) {
    std::fprintf(stderr, "%s: %.*s\nusage: %s %s\nTry '%s %s' for more information.\n", program.name.c_str(),
                 static_cast<int>(problem.size()), problem.data(), program.name.c_str(), program.synopsis.c_str(),
                 program.name.c_str(), program.singleDash ? "-help" : "--help");
    return kUsageError;
}

std::optional<int> finish(const Program& program, const Parsed& parsed) {
    switch (parsed.outcome) {
        case Parsed::Outcome::Run: return std::nullopt;
        case Parsed::Outcome::Help: std::fputs(helpText(program).c_str(), stdout); return 0;
        case Parsed::Outcome::Version: std::fputs(versionText(program).c_str(), stdout); return 0;
        case Parsed::Outcome::UsageError: return usageError(program, parsed.problem);
    }
    return kUsageError;
}

std::optional<Arguments> read(const Program& program, int argc, const char* const* argv, int& status) {
    Parsed parsed = parse(program, argc, argv);
    if (auto done = finish(program, parsed)) {
        status = *done;
        return std::nullopt;
    }
    return std::move(parsed.arguments);
}

Option rootOption() { return {"root", "DIR", "the device root: the directory standing for the device's /"}; }

std::optional<std::string> deviceRootProblem(const Arguments& arguments) {
    const std::optional<std::string> root = arguments.value(rootOption().name);
    if (!root) return "--root is required";
    struct stat st {};
    if (!root->empty() && ::stat(root->c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return std::nullopt;
    return "device root '" + *root + "' is not a directory";
}

}  // namespace cli
