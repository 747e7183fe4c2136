#pragma once
// The launcher's standard output: one JSON line per launch and per exit, flushed at once so a
// reader sees each event as it happens.

#include <sys/types.h>

#include <string>
#include <vector>

namespace springboard {

// {"event":"launched","pid":N,"count":K}
void printLaunched(pid_t pid, int count);
// {"event":"exited","pid":N,"signal":S|null,"status":C|null} from a waitpid status.
void printExited(pid_t pid, int waitStatus);
// {"event":"crashing","times":N,"signal":S|null,"signalName":"SIGABRT"|null,"status":C|null,
//  "nextLaunchMs":D,"lastWords":[...]}: the app crashed at once N times in a row (the last end's wait
// status; both null when it could not be started) and is held back D ms, with the last lines it wrote
// on its standard error.
void printCrashing(int times, int waitStatus, bool started, long long nextLaunchMs, const std::vector<std::string>& lastWords);

}  // namespace springboard
