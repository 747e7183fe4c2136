#include "Options.h"

#include <unistd.h>

#include <filesystem>
#include <string_view>

namespace fs = std::filesystem;

namespace springboard {

namespace {

Options invalid(std::string problem) {
    Options options;
    options.outcome = Options::Outcome::Invalid;
    options.problem = std::move(problem);
    return options;
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

}  // namespace

Options parseOptions(int argc, char** argv) {
    Options options;
    std::string root;
    std::string app;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            options.outcome = Options::Outcome::Help;
            return options;
        }
        if (arg != "--root" && arg != "--app") return invalid("unknown option '" + std::string(arg) + "'");
        if (++i == argc) return invalid(std::string(arg) + " needs a value");
        (arg == "--root" ? root : app) = argv[i];
    }
    if (root.empty()) return invalid("--root is required");
    std::error_code error;
    const fs::path canonicalRoot = fs::canonical(root, error);
    if (error || !fs::is_directory(canonicalRoot, error)) return invalid("device root '" + root + "' is not a directory");
    options.root = canonicalRoot.string();

    if (app.empty()) app = appBesideLauncher();
    if (!isExecutableFile(app)) return invalid("'" + app + "' is not an executable file");
    // Not canonical: the app's process name comes from the name it is started under.
    options.app = fs::absolute(app, error).string();
    if (error) return invalid("'" + app + "' cannot be resolved");
    return options;
}

const char* usageText() {
    return "usage: SpringBoard --root DIR [--app PATH]\n"
           "  --root DIR  the device root; the launcher and the app run with SIMULATOR_ROOT=DIR\n"
           "  --app PATH  the app to launch (default: MobilePhone beside SpringBoard)\n"
           "Starts 'APP --root DIR --serve' and starts it again whenever it exits, printing one JSON line\n"
           "per launch and per exit. SIGTERM or SIGINT ends the app and then the launcher.\n";
}

}  // namespace springboard
