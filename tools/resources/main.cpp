// corvane-resources: draws the preference bundle's icons and compiles its property lists at build
// time. Every output is written whole or not at all, so an interrupted build never leaves a
// truncated file that the next build would take as up to date.

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "Canvas.h"
#include "IconCatalogue.h"
#include "PlistCompiler.h"
#include "device/AtomicFile.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

int usage() {
    std::cerr << "usage: corvane-resources icons OUTPUT_DIR NAME...\n"
                 "       corvane-resources plist --xml|--binary [--strings] SOURCE OUTPUT\n";
    return kUsage;
}

bool writeOutput(const std::string& path, const std::string& bytes) {
    errno = 0;
    if (device::writeFileAtomically(path, bytes)) return true;
    const int reason = errno;
    std::cerr << "corvane-resources: cannot write " << path;
    if (reason != 0) std::cerr << ": " << std::strerror(reason);
    std::cerr << "\n";
    return false;
}

std::string knownIconNames() {
    std::string names;
    for (const IconSpec& icon : iconCatalogue()) names += (names.empty() ? "" : ", ") + std::string(icon.name);
    return names;
}

// Draws each named icon at 1x as "name.png" and at 2x as "name@2x.png".
int drawIcons(const std::string& outputDir, const std::vector<std::string>& names) {
    // Refuse an unknown name before writing anything, so a typo never leaves half a set behind.
    std::vector<const IconSpec*> icons;
    for (const std::string& name : names) {
        const IconSpec* icon = findIcon(name);
        if (!icon) {
            std::cerr << "corvane-resources: unknown icon \"" << name << "\" (known: " << knownIconNames() << ")\n";
            return kFailure;
        }
        icons.push_back(icon);
    }
    for (const IconSpec* icon : icons) {
        for (int scale : {1, 2}) {
            Canvas canvas(icon->width, icon->height, scale);
            icon->draw(canvas.context(), icon->width, icon->height);
            std::string error;
            auto png = canvas.encodePng(error);
            const std::string file =
                outputDir + "/" + std::string(icon->name) + (scale == 1 ? "" : "@" + std::to_string(scale) + "x") + ".png";
            if (!png) {
                std::cerr << "corvane-resources: cannot draw " << file << ": " << error << "\n";
                return kFailure;
            }
            if (!writeOutput(file, *png)) return kFailure;
        }
    }
    return 0;
}

int compile(const std::vector<std::string>& args) {
    PlistRules rules;
    bool formatGiven = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--xml" || arg == "--binary") {
            rules.format = arg == "--xml" ? plist::Format::XML : plist::Format::Binary;
            formatGiven = true;
        } else if (arg == "--strings") {
            rules.stringsTable = true;
        } else if (arg.starts_with("--")) {
            std::cerr << "corvane-resources: unknown option " << arg << "\n";
            return usage();
        } else {
            files.push_back(arg);
        }
    }
    if (!formatGiven || files.size() != 2) return usage();

    std::ifstream in(files[0], std::ios::binary);
    if (!in) {
        std::cerr << "corvane-resources: cannot read " << files[0] << ": " << std::strerror(errno) << "\n";
        return kFailure;
    }
    std::ostringstream source;
    source << in.rdbuf();
    std::string error;
    const std::string output = compilePlist(source.str(), files[0], rules, error);
    if (output.empty()) {
        std::cerr << "corvane-resources: " << error << "\n";
        return kFailure;
    }
    return writeOutput(files[1], output) ? 0 : kFailure;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "icons") {
        if (args.size() < 2) return usage();
        return drawIcons(args[0], std::vector<std::string>(args.begin() + 1, args.end()));
    }
    if (command == "plist") return compile(args);
    std::cerr << "corvane-resources: unknown command \"" << command << "\"\n";
    return usage();
}
