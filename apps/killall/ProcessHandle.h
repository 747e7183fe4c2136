#pragma once
// A process held by a pid file descriptor from before it is inspected until it is signalled, so a
// process that ends and whose pid is reused in between is never signalled in its place.

#include <sys/types.h>

namespace killall {

class ProcessHandle {
public:
    explicit ProcessHandle(pid_t pid);
    ~ProcessHandle();
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    // False when the process has already gone.
    bool valid() const { return valid_; }
    // 0, or the errno of the failure (ESRCH when the process has gone since).
    int send(int signal) const;

private:
    pid_t pid_;
    int fd_ = -1;  // -1 where the kernel has no pid file descriptors: then plain kill(2)
    bool valid_ = true;
};

}  // namespace killall
