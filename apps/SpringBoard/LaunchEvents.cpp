#include "LaunchEvents.h"

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "Foundation/JSON.h"

namespace springboard {

namespace {

void printLine(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

void printLaunched(pid_t pid, int count) {
    json::Writer event;
    event.beginObject().key("event").string("launched").key("pid").integer(pid).key("count").integer(count).endObject();
    printLine(event.str());
}

void printExited(pid_t pid, int waitStatus) {
    json::Writer event;
    event.beginObject().key("event").string("exited").key("pid").integer(pid);
    event.key("signal");
    if (WIFSIGNALED(waitStatus)) event.integer(WTERMSIG(waitStatus));
    else event.null();
    event.key("status");
    if (WIFEXITED(waitStatus)) event.integer(WEXITSTATUS(waitStatus));
    else event.null();
    printLine(event.endObject().str());
}

}  // namespace springboard
