#pragma once
// The host's command line: Preferences --root DIR [-c "CMD; CMD; ..."].

#include <optional>
#include <string>

namespace settings {

struct Options {
    std::string root;                    // the device root, as given
    std::optional<std::string> commands;  // -c; standard input when absent
};

struct ParsedOptions {
    std::optional<Options> options;  // nothing on a usage error
    std::string problem;
};

ParsedOptions parseOptions(int argc, char** argv);
const char* usageText();

}  // namespace settings
