#include "Command.h"

#include <charconv>

namespace settings {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

struct VerbSpelling {
    std::string_view word;
    Verb verb;
    bool takesArgument;
};

constexpr VerbSpelling kVerbs[] = {
    {"open", Verb::Open, true}, {"tap", Verb::Tap, true},     {"back", Verb::Back, false},
    {"heart", Verb::Heart, false}, {"mail", Verb::Mail, true}, {"show", Verb::Show, false},
    {"render", Verb::Render, true},
};

bool isMailResult(std::string_view word) {
    return word == "sent" || word == "saved" || word == "cancelled" || word == "failed";
}

// "#N" with N a plain decimal row number.
std::optional<size_t> rowNumber(std::string_view text) {
    if (text.size() < 2 || text.front() != '#') return std::nullopt;
    size_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data() + 1, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

ParsedCommand parseCommand(std::string_view text) {
    text = trimmed(text);
    const size_t space = text.find_first_of(kBlanks);
    const std::string_view word = text.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? std::string_view() : trimmed(text.substr(space));
    for (const VerbSpelling& spelling : kVerbs) {
        if (spelling.word != word) continue;
        if (spelling.takesArgument && rest.empty()) return "'" + std::string(word) + "' needs an argument";
        if (!spelling.takesArgument && !rest.empty()) return "'" + std::string(word) + "' takes no argument";
        Command command{spelling.verb, std::string(rest), std::nullopt};
        if (command.verb == Verb::Mail && !isMailResult(rest))
            return "unknown mail result '" + std::string(rest) + "' (sent, saved, cancelled or failed)";
        if (command.verb == Verb::Tap) command.rowIndex = rowNumber(rest);
        return command;
    }
    return "unknown command '" + std::string(text) + "'";
}

std::vector<std::string> splitCommandList(std::string_view text) {
    std::vector<std::string> commands;
    while (true) {
        const size_t end = text.find(';');
        const std::string_view one = trimmed(text.substr(0, end));
        if (!one.empty()) commands.emplace_back(one);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return commands;
}

}  // namespace settings
