// The Phone app stand-in. It loads tweaks through the substrate, builds its dialer by sending the
// hookable messages through the runtime, and reports what it sent and what arrived.

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "Dialer.h"
#include "DialerPicture.h"
#include "Foundation/AtomicFile.h"
#include "Foundation/DevicePath.h"
#include "Report.h"
#include "substrate/substrate.h"

namespace {

constexpr const char* kBundleIdentifier = "com.apple.mobilephone";
constexpr const char* kReportPath = "/var/mobile/Library/MobilePhone/report.json";

enum class Mode { None, Report, Stdin, Serve, Render };

int usage(const std::string& problem) {
    std::fprintf(stderr,
                 "MobilePhone: %s\n"
                 "usage: MobilePhone --root DIR (--report | --stdin | --serve | --render FILE.png)\n"
                 "  --report  print the dialer's report as one JSON line and exit\n"
                 "  --stdin   read commands (report, quit) from standard input\n"
                 "  --serve   write the report to the device and stay running until signalled\n"
                 "  --render  draw the dialer as the hooks leave it into a PNG file\n",
                 problem.c_str());
    return 2;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int runSession(phone::Dialer& dialer, const std::vector<std::string>& loaded) {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line == "report") {
            std::cout << phone::reportJSON(loaded, dialer.build()) << std::endl;
        } else if (line == "quit") {
            break;
        } else if (!line.empty()) {
            std::fprintf(stderr, "MobilePhone: unknown command '%s' (commands: report, quit)\n", line.c_str());
        }
    }
    return 0;
}

// Written beside the target and renamed over it, so a reader never sees half a picture.
int render(phone::Dialer& dialer, const std::string& file) {
    dialer.build();
    Ref<UIImage> picture = phone::drawDialer(dialer);
    const std::string temporary = file + ".partial";
    if (!picture || !picture->CGImage()->writePNG(temporary) || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        std::fprintf(stderr, "MobilePhone: cannot write the picture to %s\n", file.c_str());
        return 1;
    }
    return 0;
}

int serve(phone::Dialer& dialer, const std::vector<std::string>& loaded) {
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    const std::string report = phone::reportJSON(loaded, dialer.build()) + "\n";
    if (!device::writeFileAtomically(device::resolve(kReportPath), report)) {
        std::fprintf(stderr, "MobilePhone: cannot write %s\n", device::resolve(kReportPath).c_str());
        return 1;
    }
    int signal = 0;
    sigwait(&stop, &signal);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string root, picture;
    Mode mode = Mode::None;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        Mode chosen = arg == "--report" ? Mode::Report : arg == "--stdin" ? Mode::Stdin : arg == "--serve" ? Mode::Serve : Mode::None;
        if (arg == "--root") {
            if (++i == argc) return usage("--root needs a directory");
            root = argv[i];
        } else if (arg == "--render") {
            if (++i == argc) return usage("--render needs a file");
            if (mode != Mode::None) return usage("choose one of --report, --stdin, --serve, --render");
            mode = Mode::Render;
            picture = argv[i];
        } else if (chosen != Mode::None) {
            if (mode != Mode::None) return usage("choose one of --report, --stdin, --serve, --render");
            mode = chosen;
        } else {
            return usage("unknown option '" + arg + "'");
        }
    }
    if (root.empty()) return usage("--root is required");
    if (!isDirectory(root)) return usage("device root '" + root + "' is not a directory");
    if (mode == Mode::None) return usage("choose one of --report, --stdin, --serve, --render");
    ::setenv(device::kRootVariable, root.c_str(), 1);

    UIApplication::setSharedApplication(make<MobilePhoneApplication>());
    const std::vector<std::string> loaded = substrate::loadTweaks(kBundleIdentifier, "MobilePhone");
    phone::Dialer dialer;
    switch (mode) {
        case Mode::Report: std::cout << phone::reportJSON(loaded, dialer.build()) << std::endl; return 0;
        case Mode::Stdin: return runSession(dialer, loaded);
        case Mode::Serve: return serve(dialer, loaded);
        case Mode::Render: return render(dialer, picture);
        case Mode::None: break;
    }
    return 2;
}
