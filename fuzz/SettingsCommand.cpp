// The Settings host's command parser: a -c list splits into trimmed, non-empty commands without ';',
// and a command that parses reads the same when written out again.

#include <cstdint>
#include <string>
#include <string_view>

#include "Check.h"
#include "Command.h"

namespace {

using fuzzing::require;
using settings::Command;
using settings::Verb;

const char* word(Verb verb) {
    switch (verb) {
        case Verb::Open: return "open";
        case Verb::Tap: return "tap";
        case Verb::Set: return "set";
        case Verb::Back: return "back";
        case Verb::Heart: return "heart";
        case Verb::Mail: return "mail";
        case Verb::Show: return "show";
        case Verb::Render: return "render";
        case Verb::Touch: return "touch";
        case Verb::Targets: return "targets";
    }
    return "";
}

void checkCommand(std::string_view text) {
    const settings::ParsedCommand parsed = settings::parseCommand(text);
    const auto* command = std::get_if<Command>(&parsed);
    if (!command) {
        require(!std::get<std::string>(parsed).empty(), "a refused command says why");
        return;
    }
    require(settings::trimmed(command->argument) == command->argument, "an argument has no outer blanks");
    require(!command->rowIndex || command->verb == Verb::Tap || command->verb == Verb::Set,
            "only tap and set take a row number");
    std::string again = std::string(word(command->verb)) + (command->argument.empty() ? "" : " ") + command->argument;
    if (command->verb == Verb::Set) again += command->switchOn ? " on" : " off";
    const settings::ParsedCommand second = settings::parseCommand(again);
    const auto* reparsed = std::get_if<Command>(&second);
    require(reparsed && reparsed->verb == command->verb && reparsed->argument == command->argument &&
                reparsed->rowIndex == command->rowIndex && reparsed->switchOn == command->switchOn,
            "a command written out again reads the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkCommand(text);
    for (const std::string& one : settings::splitCommandList(text)) {
        require(!one.empty() && one.find(';') == std::string::npos && settings::trimmed(one) == one,
                "a listed command is trimmed, non-empty and holds no ';'");
        checkCommand(one);
    }
    return 0;
}
