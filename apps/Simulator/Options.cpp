#include "Options.h"

#include <filesystem>

#include "cli/CommandLine.h"

namespace simulator {
namespace {

const cli::Program& program() {
    static const cli::Program program{
        .name = "Simulator",
        .synopsis = "--root DIR [--listen ADDR:PORT]",
        .summary = "Runs the device installed in DIR (its launcher, the Phone app and a Settings session on the\n"
                   "Corvane pane) and serves a page that shows both apps and drives Settings with the mouse.",
        .options = {cli::rootOption(),
                    {"listen", "ADDR:PORT", "where to serve the page (default 127.0.0.1:0, a free port)"}},
        .details = "The page's address is printed once it is served. SIGINT or SIGTERM ends the device.\n"
                   "An address already in use is a usage error: exit status 2, \"cannot listen on ADDR:PORT\".\n",
    };
    return program;
}

}  // namespace

std::optional<Options> readOptions(int argc, char** argv, int& status) {
    const std::optional<cli::Arguments> arguments = cli::read(program(), argc, argv, status);
    if (!arguments) return std::nullopt;
    auto problem = cli::deviceRootProblem(*arguments);
    Options options;
    if (!problem) {
        // Canonical, as the launcher makes it: the device's processes are found by this exact text.
        std::error_code error;
        options.root = std::filesystem::canonical(*arguments->value("root"), error).string();
        if (error) problem = "cannot resolve the device root: " + error.message();
    }
    if (const auto listen = arguments->value("listen"); listen && !problem) {
        auto parsed = parseListenAddress(*listen);
        if (auto* reason = std::get_if<std::string>(&parsed))
            problem = *reason;
        else
            options.listen = std::get<ListenAddress>(parsed);
    }
    if (problem) {
        status = cli::usageError(program(), *problem);
        return std::nullopt;
    }
    return options;
}

}  // namespace simulator
