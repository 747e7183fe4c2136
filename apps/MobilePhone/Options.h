#pragma once
// The Phone app's command line: MobilePhone --root DIR (--report | --stdin | --serve | --render FILE.png).

#include <optional>
#include <string>

namespace phone {

enum class Mode { Report, Stdin, Serve, Render };

struct Options {
    std::string root;     // the device root, an existing directory
    Mode mode = Mode::Report;
    std::string picture;  // for --render
};

// The options to run with; nothing when the program is done (help, version or a usage error,
// already printed), with `status` set to its exit status.
std::optional<Options> readOptions(int argc, char** argv, int& status);

}  // namespace phone
