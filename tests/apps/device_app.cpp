// A stand-in app for the launcher and killall tests, copied into place under the name a test needs
// (the process name comes from the file name).
//
//   device_test_app                     waits for any signal, which acts as it does by default
//   device_test_app --root DIR --serve  as the Phone app serves: announces itself by creating
//                                       DIR/ready/PID, then acts as DIR/app-behaviour says:
//       (no file)  waits for SIGTERM or SIGINT and exits 0
//       exit N     exits N at once
//       live MS N  lives MS milliseconds, then exits N
//       stubborn   ignores SIGTERM and SIGINT, waits for SIGKILL
//       abort      says why on standard error in three lines, then crashes at once (SIGABRT)
// In serving mode it also writes to standard output, which must not reach the launcher's events.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void announce(const std::string& root) {
    const std::string directory = root + "/ready";
    ::mkdir(directory.c_str(), 0755);
    const std::string marker = directory + "/" + std::to_string(::getpid());
    const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) ::close(fd);
}

int serve(const std::string& root) {
    std::printf("this line is the app's own output\n");
    std::fflush(stdout);
    std::ifstream file(root + "/app-behaviour");
    std::string behaviour;
    file >> behaviour;
    if (behaviour == "exit") {
        int status = 0;
        file >> status;
        announce(root);
        return status;
    }
    if (behaviour == "live") {
        int milliseconds = 0, status = 0;
        file >> milliseconds >> status;
        announce(root);
        ::usleep(static_cast<useconds_t>(milliseconds) * 1000);
        return status;
    }
    if (behaviour == "abort") {
        announce(root);
        std::fprintf(stderr, "first words\nthe tweak gave up\nlast words, unfinished");
        std::abort();
    }
    if (behaviour == "stubborn") {
        ::signal(SIGTERM, SIG_IGN);
        ::signal(SIGINT, SIG_IGN);
        announce(root);
        for (;;) ::pause();
    }
    // Blocked before announcing, so a SIGTERM sent once the app is announced always ends it cleanly.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    announce(root);
    int signal = 0;
    sigwait(&stop, &signal);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--root" && std::string(argv[3]) == "--serve") return serve(argv[2]);
    for (;;) ::pause();
}
