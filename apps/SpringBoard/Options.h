#pragma once
// The launcher's command line: SpringBoard --root DIR [--app PATH].

#include <optional>
#include <string>

namespace springboard {

struct Options {
    std::string root;  // canonical device root
    std::string app;   // absolute path of the app to launch
};

// Checks the root is a directory and the app an executable file; the app defaults to MobilePhone
// in the launcher's own directory. Nothing when the program is done (help, version or a usage
// error, already printed), with `status` set to its exit status.
std::optional<Options> readOptions(int argc, char** argv, int& status);

}  // namespace springboard
