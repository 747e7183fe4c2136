#include "LaunchEvents.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "device/JSON.h"

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

void printCrashing(int times, int waitStatus, bool started, long long nextLaunchMs, const std::vector<std::string>& lastWords) {
    json::Writer event;
    event.beginObject().key("event").string("crashing").key("times").integer(times);
    const bool signalled = started && WIFSIGNALED(waitStatus);
    const char* abbreviation = signalled ? ::sigabbrev_np(WTERMSIG(waitStatus)) : nullptr;
    event.key("signal");
    if (signalled) event.integer(WTERMSIG(waitStatus));
    else event.null();
    event.key("signalName");
    if (abbreviation) event.string(std::string("SIG") + abbreviation);
    else event.null();
    event.key("status");
    if (started && WIFEXITED(waitStatus)) event.integer(WEXITSTATUS(waitStatus));
    else event.null();
    event.key("nextLaunchMs").integer(nextLaunchMs).key("lastWords").beginArray();
    for (const std::string& line : lastWords) event.string(line);
    printLine(event.endArray().endObject().str());
}

}  // namespace springboard
