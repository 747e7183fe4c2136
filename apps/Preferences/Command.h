#pragma once
// One command of a session, parsed from its text: a verb and what follows it.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace settings {

enum class Verb { Open, Tap, Set, Back, Heart, Mail, Show, Render, Touch, Targets };

struct Command {
    Verb verb = Verb::Show;
    std::string argument;             // the row of open, tap and set, the result of mail, the file of render,
                                      // the point of touch
    std::optional<size_t> rowIndex;   // tap or set #N
    bool switchOn = false;            // set: the state the switch is to have
};

// A command, or the reason the text is none.
using ParsedCommand = std::variant<Command, std::string>;

// Leading and trailing blanks are ignored; the argument is the rest of the text after the verb.
ParsedCommand parseCommand(std::string_view text);

// The commands of a -c text: separated by ';', blank ones dropped.
std::vector<std::string> splitCommandList(std::string_view text);

// The text without its leading and trailing blanks.
std::string_view trimmed(std::string_view text);

// Every command with what it does, one or two lines each, for the usage text.
std::string commandHelp();

}  // namespace settings
