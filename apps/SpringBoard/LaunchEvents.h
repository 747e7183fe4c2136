#pragma once
// The launcher's standard output: one JSON line per launch and per exit, flushed at once so a
// reader sees each event as it happens.

#include <sys/types.h>

namespace springboard {

// {"event":"launched","pid":N,"count":K}
void printLaunched(pid_t pid, int count);
// {"event":"exited","pid":N,"signal":S|null,"status":C|null} from a waitpid status.
void printExited(pid_t pid, int waitStatus);

}  // namespace springboard
