#pragma once
// What one plutil command line asks for, checked against the verbs' rules.

#include <optional>
#include <string>
#include <vector>

#include "KeyPath.h"
#include "Output.h"
#include "cli/CommandLine.h"

namespace plutil {

enum class Verb { Create, Lint, Print, Convert, Extract, Insert, Replace, Remove };

struct Request {
    Verb verb = Verb::Lint;
    OutputFormat format = OutputFormat::XML;  // -create, -convert, -extract
    KeyPath keyPath;                          // -extract, -insert, -replace, -remove
    Ref<NSObject> value;                      // -insert, -replace
    std::optional<std::string> output;        // -o
    bool silent = false;                      // -s
    std::vector<std::string> files;
};

const cli::Program& program();

// Nothing, with `problem` set, for a command line no verb's rules allow.
std::optional<Request> readRequest(const cli::Arguments& arguments, std::string& problem);

}  // namespace plutil
