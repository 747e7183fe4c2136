#pragma once
// The host's command line: Preferences --root DIR [-c "CMD; CMD; ..." | --stdin].

#include <optional>
#include <string>

namespace settings {

struct Options {
    std::string root;                    // the device root, an existing directory
    std::optional<std::string> commands;  // -c; standard input when absent
    bool answerEachCommand = false;       // --stdin: a closing line after every command
};

// The options to run with; nothing when the program is done (help, version or a usage error,
// already printed), with `status` set to its exit status.
std::optional<Options> readOptions(int argc, char** argv, int& status);
// Reports a problem with the command line found later; returns the exit status.
int usageError(const std::string& problem);

}  // namespace settings
