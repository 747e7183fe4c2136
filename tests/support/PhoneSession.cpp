#include "PhoneSession.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "DeviceRoot.h"

namespace testing_support {

PhoneSession::PhoneSession(const std::string& root) {
    const std::string phone = Built::mobilePhone();  // before the fork: the child must not allocate
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC)) throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::execl(phone.c_str(), phone.c_str(), "--root", root.c_str(), "--stdin", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    in_ = ::fdopen(in[1], "w");
    out_ = ::fdopen(out[0], "r");
}

PhoneSession::~PhoneSession() { quit(); }

void PhoneSession::send(const std::string& line) {
    if (!in_) return;
    std::fputs((line + "\n").c_str(), in_);
    std::fflush(in_);
}

std::string PhoneSession::report() {
    send("report");
    std::string line;
    for (int c; out_ && (c = std::fgetc(out_)) != EOF && c != '\n';) line += static_cast<char>(c);
    return line;
}

int PhoneSession::quit() {
    if (pid_ < 0) return -1;
    send("quit");
    if (in_) std::fclose(in_);
    if (out_) std::fclose(out_);
    in_ = out_ = nullptr;
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace testing_support
