#include "Command.h"

#include <charconv>

namespace settings {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

struct VerbSpelling {
    std::string_view word;
    Verb verb;
    bool takesArgument;
    std::string_view argument;  // as the usage text writes it
    std::string_view help;
};

// A ROW is a row's title as shown, GROUP/TITLE for a title that more than one group holds, a
// person's name on a credits page, or #N (the number "show" gives).
constexpr VerbSpelling kVerbs[] = {
    {"open", Verb::Open, true, "LABEL", "open the entry LABEL of the Settings list"},
    {"tap", Verb::Tap, true, "ROW", "tap a row of the top page: ROW is its title, GROUP/TITLE, a person's\n"
                                    "name or #N (the number 'show' gives)"},
    {"set", Verb::Set, true, "ROW on|off", "turn a switch on or off (nothing happens when it already is)"},
    {"back", Verb::Back, false, "", "leave the top page (or close a share sheet)"},
    {"heart", Verb::Heart, false, "", "tap the heart button of the top page"},
    {"mail", Verb::Mail, true, "sent|saved|cancelled|failed", "finish the mail composer"},
    {"show", Verb::Show, false, "", "print the screen as one line of JSON: every row with its number and texts"},
    {"render", Verb::Render, true, "FILE.png", "draw the screen into a PNG file"},
    {"touch", Verb::Touch, true, "X Y", "do what a finger does at point X,Y (in points) of the rendered picture"},
    {"targets", Verb::Targets, false, "", "print the places of the rendered picture that answer a finger, as JSON"},
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
        if (command.verb == Verb::Set) {
            const size_t last = rest.find_last_of(kBlanks);
            const std::string_view state = last == std::string_view::npos ? rest : rest.substr(last + 1);
            if (last == std::string_view::npos || (state != "on" && state != "off"))
                return "'set' needs a row and on or off";
            command.switchOn = state == "on";
            command.argument = std::string(trimmed(rest.substr(0, last)));
        }
        if (command.verb == Verb::Tap || command.verb == Verb::Set) command.rowIndex = rowNumber(command.argument);
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

std::string commandHelp() {
    constexpr size_t kColumn = 18;
    std::string text = "commands (from -c, else one per line on standard input):\n";
    for (const VerbSpelling& spelling : kVerbs) {
        std::string head = "  " + std::string(spelling.word);
        if (!spelling.argument.empty()) head += " " + std::string(spelling.argument);
        head += head.size() >= kColumn ? "\n" + std::string(kColumn, ' ') : std::string(kColumn - head.size(), ' ');
        std::string help(spelling.help);
        for (size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += kColumn + 1)
            help.insert(at + 1, kColumn, ' ');
        text += head + help + "\n";
    }
    return text;
}

}  // namespace settings
