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
#include "Options.h"
#include "Report.h"
#include "device/AtomicFile.h"
#include "device/DevicePath.h"
#include "device_host/DeviceProcess.h"
#include "device_host/PhoneReport.h"
#include "substrate/substrate.h"

namespace {

constexpr const char* kBundleIdentifier = "com.apple.mobilephone";
constexpr const char* kReportPath = device_host::kPhoneReportPath;
// The serving app's dialer as drawn, written after the report so a watcher of this file finds both.
constexpr const char* kPicturePath = "/var/mobile/Library/MobilePhone/dialer.png";

// Commands are read without their outer blanks; an unknown one is named and skipped, and makes the
// session end with status 1 so a script sees it.
int runSession(phone::Dialer& dialer, const std::vector<std::string>& loaded) {
    int status = 0;
    std::string text;
    while (std::getline(std::cin, text)) {
        const size_t first = text.find_first_not_of(" \t\r");
        const std::string line = first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
        if (line == "report") {
            std::cout << phone::reportJSON(loaded, dialer.build()) << std::endl;
        } else if (line == "quit") {
            break;
        } else if (!line.empty()) {
            std::fprintf(stderr, "MobilePhone: unknown command '%s' (commands: report, quit)\n", line.c_str());
            status = 1;
        }
    }
    return status;
}

int writePicture(const phone::Dialer& dialer, const std::string& file) {
    Ref<UIImage> picture = phone::drawDialer(dialer);
    std::string why = "nothing was drawn";
    if (picture && picture->CGImage()->savePNG(file, why)) return 0;
    std::fprintf(stderr, "MobilePhone: cannot write the picture to %s (%s)\n", file.c_str(), why.c_str());
    return 1;
}

int render(phone::Dialer& dialer, const std::string& file) {
    dialer.build();
    return writePicture(dialer, file);
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
    // A picture that cannot be written is said on standard error; the app serves on without it.
    writePicture(dialer, device::resolve(kPicturePath));
    int signal = 0;
    sigwait(&stop, &signal);
    // Asked to end: the report no longer describes a running app. (Killed, the launcher clears it.)
    device_host::removeReportOf(device::resolve(kReportPath), ::getpid());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    const std::optional<phone::Options> options = phone::readOptions(argc, argv, status);
    if (!options) return status;
    // However it was started (by the launcher or by hand), the app is a process of its device.
    if (auto problem = device_host::joinDevice(options->root, argv))
        std::fprintf(stderr, "MobilePhone: %s; the device's killall will not find this app\n", problem->c_str());

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
