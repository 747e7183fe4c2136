#include "Options.h"

#include "Command.h"
#include "cli/CommandLine.h"

namespace settings {
namespace {

const cli::Program& program() {
    static const cli::Program program{
        .name = "Preferences",
        .synopsis = "--root DIR [-c \"CMD; CMD; ...\" | --stdin]",
        .summary = "The Settings app of a simulated device: opens its panes and runs commands on them,\n"
                   "printing every side effect as one JSON line.",
        .options = {cli::rootOption(),
                    {"commands", "\"CMD; CMD\"", "run these commands instead of reading standard input", 'c'},
                    {"stdin", "", "for a driving program: close what each command printed with a done line"}},
        .details = commandHelp() +
                   "with --stdin, each command's output ends with {\"done\":true} or {\"done\":false,\"problem\":\"...\"}\n",
    };
    return program;
}

}  // namespace

std::optional<Options> readOptions(int argc, char** argv, int& status) {
    const std::optional<cli::Arguments> arguments = cli::read(program(), argc, argv, status);
    if (!arguments) return std::nullopt;
    if (auto problem = cli::deviceRootProblem(*arguments)) {
        status = cli::usageError(program(), *problem);
        return std::nullopt;
    }
    Options options{*arguments->value("root"), arguments->value("commands"), arguments->has("stdin")};
    if (options.commands && options.answerEachCommand) {
        status = cli::usageError(program(), "-c and --stdin exclude each other");
        return std::nullopt;
    }
    return options;
}

int usageError(const std::string& problem) { return cli::usageError(program(), problem); }

}  // namespace settings
