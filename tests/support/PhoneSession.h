#pragma once
// A Phone app process kept running (MobilePhone --stdin), so remembered values carry across reports
// while a test changes the preference file in between.

#include <sys/types.h>

#include <cstdio>
#include <string>

namespace testing_support {

class PhoneSession {
public:
    explicit PhoneSession(const std::string& root);
    ~PhoneSession();
    PhoneSession(const PhoneSession&) = delete;
    PhoneSession& operator=(const PhoneSession&) = delete;

    // Sends "report" and returns the one line the process answers with.
    std::string report();
    // Sends any command line; returns nothing (for commands that print nothing on stdout).
    void send(const std::string& line);
    // Ends the session with "quit" and returns the exit status.
    int quit();

private:
    pid_t pid_ = -1;
    FILE* in_ = nullptr;
    FILE* out_ = nullptr;
};

}  // namespace testing_support
