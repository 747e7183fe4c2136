#pragma once
// The command line: Simulator --root DIR [--listen ADDR:PORT].

#include <optional>
#include <string>

#include "ListenAddress.h"

namespace simulator {

struct Options {
    std::string root;  // canonical
    ListenAddress listen{"127.0.0.1", 0, false};
};

// The options to run with; nothing when the program is done (help, version or a usage error,
// already printed), with `status` set to its exit status.
std::optional<Options> readOptions(int argc, char** argv, int& status);

}  // namespace simulator
