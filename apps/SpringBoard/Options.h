#pragma once
// The launcher's command line.

#include <string>

namespace springboard {

struct Options {
    enum class Outcome { Run, Help, Invalid };
    Outcome outcome = Outcome::Run;
    std::string root;     // canonical device root
    std::string app;      // absolute path of the app to launch
    std::string problem;  // why the command line cannot run
};

// Checks the root is a directory and the app an executable file; the app defaults to MobilePhone
// in the launcher's own directory.
Options parseOptions(int argc, char** argv);
const char* usageText();

}  // namespace springboard
