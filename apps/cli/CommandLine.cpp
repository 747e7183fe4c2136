#include "cli/CommandLine.h"

#include <getopt.h>

#include <algorithm>

namespace cli {
namespace {

// getopt reports a long option by this value plus its index, a short one by its letter.
constexpr int kLongBase = 1000;

std::string shortOptions(const Program& program) {
    // '-': operands come back in place, whatever POSIXLY_CORRECT says; ':': a missing value is told
    // apart from an unknown option.
    std::string letters = "-:h";
    for (const auto& option : program.options) {
        if (!option.letter) continue;
        letters += option.letter;
        if (!option.value.empty()) letters += ':';
    }
    return letters;
}

std::vector<struct option> longOptions(const Program& program) {
    std::vector<struct option> table;
    for (size_t i = 0; i < program.options.size(); ++i) {
        const Option& option = program.options[i];
        table.push_back({option.name.c_str(), option.value.empty() ? no_argument : required_argument, nullptr,
                         kLongBase + static_cast<int>(i)});
    }
    table.push_back({"help", no_argument, nullptr, 'h'});
    table.push_back({"version", no_argument, nullptr, kLongBase - 1});
    table.push_back({nullptr, 0, nullptr, 0});
    return table;
}

const Option* byLetter(const Program& program, int letter) {
    for (const auto& option : program.options)
        if (option.letter == letter) return &option;
    return nullptr;
}

// The problem with an argument getopt refused: unknown, ambiguous, or a flag given a value.
std::string refusal(const Program& program, std::string_view text, int which) {
    if (which >= kLongBase && static_cast<size_t>(which - kLongBase) < program.options.size())
        return "option '" + spelling(program, program.options[which - kLongBase]) + "' takes no value";
    if (which == 'h' || which == kLongBase - 1) return "option '" + std::string(text.substr(0, text.find('='))) + "' takes no value";
    if (which != 0) return "unknown option '-" + std::string(1, static_cast<char>(which)) + "'";
    const std::string_view written = text.substr(0, text.find('='));
    const std::string_view name = written.substr(std::min(written.find_first_not_of('-'), written.size()));
    std::string candidates;
    for (const auto& option : program.options)
        if (!name.empty() && option.name.starts_with(name)) candidates += (candidates.empty() ? "" : ", ") + spelling(program, option);
    if (candidates.find(',') != std::string::npos)
        return "option '" + std::string(written) + "' is ambiguous (" + candidates + ")";
    return "unknown option '" + std::string(written) + "'";
}

Parsed failure(std::string problem) {
    Parsed parsed;
    parsed.outcome = Parsed::Outcome::UsageError;
    parsed.problem = std::move(problem);
    return parsed;
}

}  // namespace

bool Arguments::has(std::string_view name) const {
    return std::any_of(given_.begin(), given_.end(), [&](const auto& entry) { return entry.first == name; });
}

std::optional<std::string> Arguments::value(std::string_view name) const {
    for (auto it = given_.rbegin(); it != given_.rend(); ++it)
        if (it->first == name) return it->second;
    return std::nullopt;
}

Parsed parse(const Program& program, int argc, const char* const* argv) {
    // getopt permutes what it is given: let it work on a copy.
    std::vector<char*> words;
    for (int i = 0; i < argc; ++i) words.push_back(const_cast<char*>(argv[i]));
    words.push_back(nullptr);
    const std::string letters = shortOptions(program);
    const auto table = longOptions(program);

    Parsed parsed;
    optind = 0;  // glibc: start afresh, whatever an earlier parse left
    opterr = 0;
    for (;;) {
        const int found = program.singleDash ? getopt_long_only(argc, words.data(), letters.c_str(), table.data(), nullptr)
                                             : getopt_long(argc, words.data(), letters.c_str(), table.data(), nullptr);
        if (found == -1) break;
        const std::string_view current = optind > 0 && optind <= argc ? words[optind - 1] : "";
        if (found == 1) {
            if (!program.takesOperands) return failure("unexpected argument '" + std::string(optarg) + "'");
            parsed.arguments.addOperand(optarg);
            continue;
        }
        if (found == 'h') parsed.outcome = Parsed::Outcome::Help;
        if (found == kLongBase - 1 && parsed.outcome == Parsed::Outcome::Run) parsed.outcome = Parsed::Outcome::Version;
        if (found == 'h' || found == kLongBase - 1) continue;
        if (found == '?') return failure(refusal(program, current, optopt));
        const int which = found == ':' ? optopt : found;
        const Option* option = which >= kLongBase ? &program.options[static_cast<size_t>(which - kLongBase)]
                                                  : byLetter(program, which);
        if (!option) return failure(refusal(program, current, which));
        if (found == ':') return failure("option '" + spelling(program, *option) + "' needs a value");
        if (!option->repeatable && parsed.arguments.has(option->name))
            return failure("option '" + spelling(program, *option) + "' given twice");
        parsed.arguments.add(option->name, option->value.empty() ? std::string() : std::string(optarg));
    }
    for (int i = optind; i < argc; ++i) {  // after "--"
        if (!program.takesOperands) return failure("unexpected argument '" + std::string(words[i]) + "'");
        parsed.arguments.addOperand(words[i]);
    }
    return parsed;
}

}  // namespace cli
