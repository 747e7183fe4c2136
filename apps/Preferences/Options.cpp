#include "Options.h"

#include "cli/CommandLine.h"

namespace settings {
namespace {

constexpr const char* kCommands =
    "commands (from -c, else one per line on standard input):\n"
    "  open LABEL      open the entry LABEL of the Settings list\n"
    "  tap LABEL | #N  tap the row titled LABEL (or row N, 0-based) of the top page\n"
    "  back            leave the top page (or close a share sheet)\n"
    "  heart           tap the heart button of the top page\n"
    "  mail sent|saved|cancelled|failed\n"
    "                  finish the mail composer\n"
    "  show            print the top page as one line of JSON\n";

const cli::Program& program() {
    static const cli::Program program{
        .name = "Preferences",
        .synopsis = "--root DIR [-c \"CMD; CMD; ...\"]",
        .summary = "The Settings app of a simulated device: opens its panes and runs commands on them,\n"
                   "printing every side effect as one JSON line.",
        .options = {cli::rootOption(), {"commands", "\"CMD; CMD\"", "run these commands instead of reading standard input", 'c'}},
        .details = kCommands,
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
    return Options{*arguments->value("root"), arguments->value("commands")};
}

int usageError(const std::string& problem) { return cli::usageError(program(), problem); }

}  // namespace settings
