#include "DeviceProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "device/DevicePath.h"

namespace simulator {
namespace {

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

bool reap(pid_t pid, int& status, bool block) {
    for (;;) {
        const pid_t got = ::waitpid(pid, &status, block ? 0 : WNOHANG);
        if (got == pid) return true;
        if (got < 0 && errno == EINTR) continue;
        return false;
    }
}

}  // namespace

std::string ownDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

DeviceProcess::DeviceProcess(const std::vector<std::string>& argv, const std::string& root, Pipes pipes) {
    int in[2] = {-1, -1}, out[2] = {-1, -1};
    if ((pipes.input && ::pipe2(in, O_CLOEXEC) != 0) || (pipes.output && ::pipe2(out, O_CLOEXEC) != 0)) {
        for (int fd : {in[0], in[1], out[0], out[1]})
            if (fd >= 0) ::close(fd);
        return;
    }
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    // The device's programs find their device through this variable; the rest passes unchanged.
    const std::string prefix = std::string(device::kRootVariable) + "=";
    const std::string rootVariable = prefix + root;
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry)
        if (!std::string_view(*entry).starts_with(prefix)) environment.push_back(*entry);
    environment.push_back(const_cast<char*>(rootVariable.c_str()));
    environment.push_back(nullptr);
    const pid_t parent = ::getpid();
    std::fflush(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        // Between fork and exec: async-signal-safe calls only.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(127);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (in[0] >= 0) ::dup2(in[0], STDIN_FILENO);
        if (out[1] >= 0) ::dup2(out[1], STDOUT_FILENO);
        ::execve(args[0], args.data(), environment.data());
        ::_exit(127);
    }
    if (in[0] >= 0) ::close(in[0]);
    if (out[1] >= 0) ::close(out[1]);
    input_ = in[1];
    output_ = out[0];
    if (pid_ < 0) {
        closeFd(input_);
        closeFd(output_);
    }
}

DeviceProcess::~DeviceProcess() {
    stop();
    closeFd(output_);
}

int DeviceProcess::stop(int graceMs) {
    closeFd(input_);
    if (pid_ < 0 || reaped_) return status_;
    ::kill(pid_, SIGTERM);
    ::kill(pid_, SIGCONT);  // a stopped process acts on SIGTERM only once it runs again
    for (int waited = 0; waited < graceMs && !reaped_; waited += 10) {
        reaped_ = reap(pid_, status_, false);
        if (!reaped_) ::poll(nullptr, 0, 10);
    }
    if (!reaped_) {
        std::fprintf(stderr, "Simulator: %d did not end after SIGTERM; sending SIGKILL\n", static_cast<int>(pid_));
        ::kill(pid_, SIGKILL);
        reaped_ = reap(pid_, status_, true);
    }
    return status_;
}

}  // namespace simulator
