// plistwrite: writes a flat preference dictionary, the way a person sets up a device by hand.
//   plistwrite [--xml] FILE key=TYPE:VALUE...   (TYPE: bool, int, real, string)

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Foundation/AtomicFile.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyList.h"

namespace {

int usage(const std::string& problem) {
    std::fprintf(stderr,
                 "plistwrite: %s\n"
                 "usage: plistwrite [--xml] FILE key=TYPE:VALUE...\n"
                 "  TYPE is bool (true/false), int, real or string; the file is binary unless --xml\n",
                 problem.c_str());
    return 2;
}

// The value of one TYPE:VALUE text, or nil with `problem` set.
Ref<NSObject> parseValue(const std::string& text, std::string& problem) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        problem = "missing TYPE: in '" + text + "'";
        return nullptr;
    }
    const std::string type = text.substr(0, colon), value = text.substr(colon + 1);
    if (type == "string") return NSString::string(value);
    if (type == "bool") {
        if (value == "true" || value == "false") return NSNumber::numberWithBool(value == "true");
        problem = "bool takes true or false, not '" + value + "'";
        return nullptr;
    }
    char* end = nullptr;
    errno = 0;
    if (type == "int") {
        const long long n = std::strtoll(value.c_str(), &end, 10);
        if (!value.empty() && *end == '\0' && errno == 0) return NSNumber::numberWithInteger(n);
    } else if (type == "real") {
        const double d = std::strtod(value.c_str(), &end);
        if (!value.empty() && *end == '\0' && errno == 0) return NSNumber::numberWithDouble(d);
    } else {
        problem = "unknown type '" + type + "'";
        return nullptr;
    }
    problem = "'" + value + "' is not a valid " + type;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    int i = 1;
    plist::Format format = plist::Format::Binary;
    if (i < argc && std::string(argv[i]) == "--xml") {
        format = plist::Format::XML;
        ++i;
    }
    if (i >= argc) return usage("missing FILE");
    const std::string file = argv[i++];
    auto entries = make<NSMutableDictionary>();
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        if (eq == std::string::npos || eq == 0) return usage("expected key=TYPE:VALUE, got '" + arg + "'");
        std::string problem;
        Ref<NSObject> value = parseValue(arg.substr(eq + 1), problem);
        if (!value) return usage(problem);
        entries->setObject(value, arg.substr(0, eq));
    }
    const auto bytes = plist::serialize(entries, format);
    if (!bytes || !device::writeFileAtomically(file, *bytes)) {
        std::fprintf(stderr, "plistwrite: cannot write %s\n", file.c_str());
        return 1;
    }
    return 0;
}
