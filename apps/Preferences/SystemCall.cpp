// The host's system(): a loaded pane binds to this definition (the executable exports it), which
// runs the command through the C library's own system() unchanged and then reports it.

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "Events.h"

namespace {

using SystemFunction = int (*)(const char*);

SystemFunction librarySystem() {
    static const SystemFunction next = reinterpret_cast<SystemFunction>(::dlsym(RTLD_NEXT, "system"));
    return next;
}

int exitStatusOf(int waitStatus) {
    if (waitStatus == -1) return -1;
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return -1;
}

}  // namespace

extern "C" int system(const char* command) {
    SystemFunction run = librarySystem();
    if (!run) {
        errno = ENOSYS;
        return -1;
    }
    if (!command) return run(command);  // only asks whether a shell exists
    // Standard output carries the event lines; the command's own output goes to standard error.
    std::fflush(stdout);
    const int savedOut = ::dup(STDOUT_FILENO);
    if (savedOut >= 0) ::dup2(STDERR_FILENO, STDOUT_FILENO);
    const int status = run(command);
    const int error = errno;
    if (savedOut >= 0) {
        ::dup2(savedOut, STDOUT_FILENO);
        ::close(savedOut);
    }
    settings::reportSystemCall(command, exitStatusOf(status));
    errno = error;
    return status;
}
