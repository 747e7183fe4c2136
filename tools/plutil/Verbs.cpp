#include "Verbs.h"

#include <cstdio>

#include "Foundation/NSDictionary.h"
#include "PlistFile.h"

namespace plutil {
namespace {

plist::Format plistFormat(OutputFormat format) {
    return format == OutputFormat::XML ? plist::Format::XML : plist::Format::Binary;
}

int fail(const std::string& file, const std::string& problem) {
    std::fprintf(stderr, "plutil: %s: %s\n", file.c_str(), problem.c_str());
    return 1;
}

int lint(const Request& request) {
    int status = 0;
    for (const std::string& file : request.files) {
        std::string problem;
        if (readPlistFile(file, problem)) {
            if (!request.silent) std::printf("%s: OK\n", file.c_str());
        } else {
            std::printf("%s: %s\n", file.c_str(), problem.c_str());
            status = 1;
        }
    }
    return status;
}

// -p, -extract and -convert to -o: read one file, write something made of it elsewhere.
int show(const Request& request) {
    const std::string& file = request.files.front();
    std::string problem;
    auto read = readPlistFile(file, problem);
    if (!read) return fail(file, problem);
    if (request.verb == Verb::Print) {
        std::fputs(readable(read->root).c_str(), stdout);
        return 0;
    }
    Ref<NSObject> value = read->root;
    if (request.verb == Verb::Extract) value = valueAt(read->root, request.keyPath, problem);
    auto bytes = value ? encode(value, request.format, problem) : std::nullopt;
    const std::string output = request.output.value_or("-");
    if (!bytes) return fail(file, problem);
    return writeOutput(output, *bytes, problem) ? 0 : fail(output, problem);
}

int convertInPlace(const Request& request) {
    int status = 0;
    for (const std::string& file : request.files) {
        std::string problem;
        const bool done = rewritePlistFile(
            file, [&](const PlistFile& read, std::string& why) { return encode(read.root, request.format, why); },
            problem);
        if (!done) status = fail(file, problem);
    }
    return status;
}

int edit(const Request& request) {
    const std::string& file = request.files.front();
    std::string problem;
    const Edit kind = request.verb == Verb::Insert ? Edit::Insert : request.verb == Verb::Replace ? Edit::Replace : Edit::Remove;
    const bool done = rewritePlistFile(
        file,
        [&](const PlistFile& read, std::string& why) -> std::optional<std::string> {
            Ref<NSObject> changed = edited(read.root, request.keyPath, kind, request.value, why);
            if (!changed) return std::nullopt;
            auto bytes = plist::serialize(changed, read.format);
            if (!bytes) why = "the changed file cannot be written as a property list";
            return bytes;
        },
        problem);
    return done ? 0 : fail(file, problem);
}

}  // namespace

int perform(const Request& request) {
    switch (request.verb) {
        case Verb::Create: {
            const std::string& file = request.files.front();
            std::string problem;
            auto bytes = plist::serialize(make<NSDictionary>(), plistFormat(request.format));
            return bytes && createFile(file, *bytes, problem) ? 0 : fail(file, problem);
        }
        case Verb::Lint: return lint(request);
        case Verb::Print:
        case Verb::Extract: return show(request);
        case Verb::Convert: return request.output ? show(request) : convertInPlace(request);
        case Verb::Insert:
        case Verb::Replace:
        case Verb::Remove: return edit(request);
    }
    return 1;
}

}  // namespace plutil
