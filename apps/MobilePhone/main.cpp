// The Phone app stand-in. It loads tweaks through the substrate, builds its dialer by sending the
// hookable messages through the runtime, and reports what it sent and what arrived.

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "Dialer.h"
#include "DialerPicture.h"
#include "Foundation/AtomicFile.h"
#include "Foundation/DevicePath.h"
#include "Options.h"
#include "Report.h"
#include "substrate/substrate.h"

namespace {

constexpr const char* kBundleIdentifier = "com.apple.mobilephone";
constexpr const char* kReportPath = "/var/mobile/Library/MobilePhone/report.json";

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
    int status = 0;
    const std::optional<phone::Options> options = phone::readOptions(argc, argv, status);
    if (!options) return status;
    ::setenv(device::kRootVariable, options->root.c_str(), 1);

    UIApplication::setSharedApplication(make<MobilePhoneApplication>());
    const std::vector<std::string> loaded = substrate::loadTweaks(kBundleIdentifier, "MobilePhone");
    phone::Dialer dialer;
    switch (options->mode) {
        case phone::Mode::Report: std::cout << phone::reportJSON(loaded, dialer.build()) << std::endl; return 0;
        case phone::Mode::Stdin: return runSession(dialer, loaded);
        case phone::Mode::Serve: return serve(dialer, loaded);
        case phone::Mode::Render: return render(dialer, options->picture);
    }
    return 2;
}
