#include "Options.h"

#include <unistd.h>

#include <filesystem>

#include "cli/CommandLine.h"

namespace fs = std::filesystem;

namespace springboard {

namespace {

const cli::Program& program() {
    static const cli::Program program{
        .name = "SpringBoard",
        .synopsis = "--root DIR [--app PATH]",
        .summary = "Starts 'APP --root DIR --serve' and starts it again whenever it exits, printing one JSON line\n"
                   "per launch and per exit. SIGTERM or SIGINT ends the app and then the launcher.\n"
                   "The launcher and the app run with SIMULATOR_ROOT=DIR.",
        .options = {cli::rootOption(), {"app", "PATH", "the app to launch (default: MobilePhone beside SpringBoard)"}},
    };
    return program;
}

std::string appBesideLauncher() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return (self.parent_path() / "MobilePhone").string();
}

bool isExecutableFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

// The options, or why the command line cannot run.
std::optional<Options> resolve(const cli::Arguments& arguments, std::string& problem) {
    if (auto rootProblem = cli::deviceRootProblem(arguments)) {
        problem = *rootProblem;
        return std::nullopt;
    }
    const std::string root = *arguments.value("root");
    Options options;
    std::error_code error;
    options.root = fs::canonical(root, error).string();
    if (error) {
        problem = "device root '" + root + "' cannot be resolved";
        return std::nullopt;
    }
    const std::string app = arguments.value("app").value_or(appBesideLauncher());
    if (!isExecutableFile(app)) {
        problem = "'" + app + "' is not an executable file";
        return std::nullopt;
    }
    // Not canonical: the app's process name comes from the name it is started under.
    options.app = fs::absolute(app, error).string();
    if (error) {
        problem = "'" + app + "' cannot be resolved";
        return std::nullopt;
    }
    return options;
}

}  // namespace

std::optional<Options> readOptions(int argc, char** argv, int& status) {
    const std::optional<cli::Arguments> arguments = cli::read(program(), argc, argv, status);
    if (!arguments) return std::nullopt;
    std::string problem;
    std::optional<Options> options = resolve(*arguments, problem);
    if (!options) status = cli::usageError(program(), problem);
    return options;
}

}  // namespace springboard
