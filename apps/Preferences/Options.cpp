#include "Options.h"

#include <sys/stat.h>

namespace settings {
namespace {

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

ParsedOptions failure(std::string problem) { return {std::nullopt, std::move(problem)}; }

}  // namespace

const char* usageText() {
    return "usage: Preferences --root DIR [-c \"CMD; CMD; ...\"]\n"
           "  commands (from -c, else one per line on standard input):\n"
           "    open LABEL      open the entry LABEL of the Settings list\n"
           "    tap LABEL | #N  tap the row titled LABEL (or row N, 0-based) of the top page\n"
           "    back            leave the top page (or close a share sheet)\n"
           "    heart           tap the heart button of the top page\n"
           "    mail sent|saved|cancelled|failed\n"
           "                    finish the mail composer\n"
           "    show            print the top page as one line of JSON\n";
}

ParsedOptions parseOptions(int argc, char** argv) {
    Options options;
    bool haveRoot = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--root" || arg == "-c") {
            if (i + 1 == argc) return failure(arg + " needs a value");
            const std::string value = argv[++i];
            if (arg == "--root") {
                if (haveRoot) return failure("--root given twice");
                options.root = value;
                haveRoot = true;
            } else {
                if (options.commands) return failure("-c given twice");
                options.commands = value;
            }
        } else {
            return failure("unknown option '" + arg + "'");
        }
    }
    if (!haveRoot) return failure("--root is required");
    if (options.root.empty() || !isDirectory(options.root))
        return failure("device root '" + options.root + "' is not a directory");
    return {options, {}};
}

}  // namespace settings
