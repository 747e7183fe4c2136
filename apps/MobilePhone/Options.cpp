#include "Options.h"

#include "cli/CommandLine.h"

namespace phone {
namespace {

const cli::Program& program() {
    static const cli::Program program{
        .name = "MobilePhone",
        .synopsis = "--root DIR (--report | --stdin | --serve | --render FILE.png)",
        .summary = "The Phone app of a simulated device: loads the device's tweaks and builds its dialer.",
        .options = {cli::rootOption(),
                    {"report", "", "print the dialer's report as one JSON line and exit"},
                    {"stdin", "", "read commands (report, quit) from standard input"},
                    {"serve", "", "write the report and the dialer's picture to the device; run until signalled"},
                    {"render", "FILE.png", "draw the dialer as the hooks leave it into a PNG file"}},
    };
    return program;
}

}  // namespace

std::optional<Options> readOptions(int argc, char** argv, int& status) {
    const std::optional<cli::Arguments> arguments = cli::read(program(), argc, argv, status);
    if (!arguments) return std::nullopt;
    Options options;
    int modes = 0;
    for (const auto& [name, value] : arguments->given()) {
        if (name == "root") continue;
        ++modes;
        options.mode = name == "report" ? Mode::Report : name == "stdin" ? Mode::Stdin : name == "serve" ? Mode::Serve : Mode::Render;
        if (name == "render") options.picture = value;
    }
    std::optional<std::string> problem = cli::deviceRootProblem(*arguments);
    if (!problem && modes != 1) problem = "choose one of --report, --stdin, --serve, --render";
    if (problem) {
        status = cli::usageError(program(), *problem);
        return std::nullopt;
    }
    options.root = *arguments->value("root");
    return options;
}

}  // namespace phone
