#include "Request.h"

#include <algorithm>

#include "ValueText.h"

namespace plutil {
namespace {

struct VerbRule {
    std::string_view option;
    Verb verb;
    bool formatOperand;  // the format follows the option's own value as the first operand
    bool editsValue;     // takes one value type option
    bool takesOutput;
    size_t minimumFiles, maximumFiles;
};

constexpr size_t kAny = static_cast<size_t>(-1);
constexpr VerbRule kVerbs[] = {
    {"create", Verb::Create, false, false, false, 1, 1},  {"lint", Verb::Lint, false, false, false, 1, kAny},
    {"p", Verb::Print, false, false, false, 1, 1},         {"convert", Verb::Convert, false, false, true, 1, kAny},
    {"extract", Verb::Extract, true, false, true, 1, 1},  {"insert", Verb::Insert, false, true, false, 1, 1},
    {"replace", Verb::Replace, false, true, false, 1, 1}, {"remove", Verb::Remove, false, false, false, 1, 1},
};

constexpr const char* kDetails =
    "KEYPATH is dotted keys and array indices (AppleLanguages.0); a backslash keeps a dot in a key.\n"
    "-insert of an array index inserts there (the count appends); -replace sets a key, new or not,\n"
    "or an existing element. Dates are YYYY-MM-DDTHH:MM:SSZ, data base64. JSON and raw output write\n"
    "data as base64 and dates in ISO 8601. A change keeps the file's encoding and the rest of the\n"
    "file; in a device's preference folder it is made under the lock the Settings app writes under\n"
    "(FILE.lock, left in place). A symbolic link is followed: its target is changed, the link kept.\n"
    "-o to a device, FIFO or /dev/stdout writes there as a stream. -create never replaces a file.\n"
    "Exit status: 0 done, 1 a file could not be read, changed or written, 2 a usage error.\n";

std::vector<cli::Option> options() {
    std::vector<cli::Option> list = {
        {"create", "xml1|binary1", "write FILE holding an empty dictionary"},
        {"lint", "", "check each FILE: prints 'FILE: OK' or what is wrong"},
        {"p", "", "print FILE for a person to read"},
        {"convert", "xml1|binary1|json", "rewrite each FILE in the format (or write it to -o)"},
        {"extract", "KEYPATH", "followed by xml1|binary1|json|raw: write the value at KEYPATH"},
        {"insert", "KEYPATH", "add a value (with one of the type options below)"},
        {"replace", "KEYPATH", "set a value (with one of the type options below)"},
        {"remove", "KEYPATH", "remove a value"},
    };
    for (const ValueType& type : kValueTypes) list.push_back({std::string(type.name), std::string(type.text), std::string(type.help)});
    list.push_back({"o", "OUT", "-convert, -extract: write to OUT instead ('-': standard output)"});
    list.push_back({"s", "", "-lint: print nothing for a good file"});
    return list;
}

std::optional<OutputFormat> formatFor(const VerbRule& rule, const std::string& name, std::string& problem) {
    const auto format = outputFormat(name);
    const bool allowed = format && (rule.verb == Verb::Extract || *format == OutputFormat::XML ||
                                    *format == OutputFormat::Binary || (rule.verb == Verb::Convert && *format == OutputFormat::JSON));
    if (allowed) return format;
    problem = "-" + std::string(rule.option) + " cannot write the format '" + name + "'";
    return std::nullopt;
}

}  // namespace

const cli::Program& program() {
    static const cli::Program program{
        .name = "plutil",
        .synopsis = "-VERB ... FILE...",
        .summary = "Checks, prints, converts and edits property-list files:\n"
                   "  plutil -create xml1|binary1 FILE\n"
                   "  plutil -lint [-s] FILE...\n"
                   "  plutil -p FILE\n"
                   "  plutil -convert xml1|binary1|json [-o OUT|-] FILE...\n"
                   "  plutil -extract KEYPATH xml1|binary1|json|raw [-o OUT|-] FILE\n"
                   "  plutil -insert|-replace KEYPATH -bool|-integer|-float|-string|-date|-data VALUE FILE\n"
                   "  plutil -insert|-replace KEYPATH -array|-dictionary FILE\n"
                   "  plutil -remove KEYPATH FILE",
        .options = options(),
        .details = kDetails,
        .singleDash = true,
        .takesOperands = true,
    };
    return program;
}

std::optional<Request> readRequest(const cli::Arguments& arguments, std::string& problem) {
    const VerbRule* rule = nullptr;
    for (const VerbRule& candidate : kVerbs) {
        if (!arguments.has(candidate.option)) continue;
        if (rule) {
            problem = "choose one of -create, -lint, -p, -convert, -extract, -insert, -replace, -remove";
            return std::nullopt;
        }
        rule = &candidate;
    }
    if (!rule) {
        problem = "no verb given";
        return std::nullopt;
    }
    Request request;
    request.verb = rule->verb;
    request.silent = arguments.has("s");
    request.output = arguments.value("o");
    request.files = arguments.operands();
    const std::string verbValue = arguments.value(rule->option).value_or("");

    std::vector<std::string_view> types;
    for (const ValueType& type : kValueTypes)
        if (arguments.has(type.name)) types.push_back(type.name);
    if (rule->editsValue != (types.size() == 1)) {
        problem = rule->editsValue ? "-" + std::string(rule->option) + " needs exactly one of -bool, -integer, -float, "
                                     "-string, -date, -data, -array, -dictionary"
                                   : "a value type goes only with -insert or -replace";
        return std::nullopt;
    }
    if (rule->editsValue) {
        request.value = valueFromText(types.front(), arguments.value(types.front()).value_or(""), problem);
        if (!request.value) return std::nullopt;
    }
    if (request.output && !rule->takesOutput) {
        problem = "-o goes only with -convert or -extract";
        return std::nullopt;
    }
    if (request.silent && rule->verb != Verb::Lint) {
        problem = "-s goes only with -lint";
        return std::nullopt;
    }
    std::string formatName = verbValue;
    if (rule->formatOperand) {
        if (request.files.empty()) {
            problem = "-extract needs a format: xml1, binary1, json or raw";
            return std::nullopt;
        }
        formatName = request.files.front();
        request.files.erase(request.files.begin());
    }
    if (rule->verb == Verb::Create || rule->verb == Verb::Convert || rule->formatOperand) {
        auto format = formatFor(*rule, formatName, problem);
        if (!format) return std::nullopt;
        request.format = *format;
    }
    if (rule->verb == Verb::Convert && request.format == OutputFormat::JSON && !request.output) {
        // In place it would leave a file no property-list reader takes, plutil included.
        problem = "-convert json writes JSON, which is not a property list: give -o OUT (or -o - for standard output)";
        return std::nullopt;
    }
    if (rule->formatOperand || rule->editsValue || rule->verb == Verb::Remove) request.keyPath = splitKeyPath(verbValue);

    const size_t maximum = request.output ? 1 : rule->maximumFiles;
    if (request.files.size() < rule->minimumFiles || request.files.size() > maximum) {
        problem = request.files.empty() ? "no FILE given" : "-" + std::string(rule->option) + " takes " +
                  (maximum == 1 ? "one FILE" : "FILE...") + (request.output ? " with -o" : "");
        return std::nullopt;
    }
    return request;
}

}  // namespace plutil
