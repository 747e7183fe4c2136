#include "ProcessHandle.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace killall {

ProcessHandle::ProcessHandle(pid_t pid) : pid_(pid) {
#if defined(SYS_pidfd_open) && defined(SYS_pidfd_send_signal)
    fd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd_ < 0 && errno == ESRCH) valid_ = false;
#endif
}

ProcessHandle::~ProcessHandle() {
    if (fd_ >= 0) ::close(fd_);
}

int ProcessHandle::send(int signal) const {
    if (!valid_) return ESRCH;
#if defined(SYS_pidfd_open) && defined(SYS_pidfd_send_signal)
    if (fd_ >= 0) return ::syscall(SYS_pidfd_send_signal, fd_, signal, nullptr, 0) == 0 ? 0 : errno;
#endif
    return ::kill(pid_, signal) == 0 ? 0 : errno;
}

}  // namespace killall
