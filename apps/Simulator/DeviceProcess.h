#pragma once
// A program of the device started by the simulator: its own child, ended with the simulator (also
// when the simulator itself is killed), with pipes to its standard input and output as asked.

#include <sys/types.h>

#include <string>
#include <vector>

namespace simulator {

class DeviceProcess {
public:
    struct Pipes {
        bool input = false, output = false;
    };
    // Starts `argv` with SIMULATOR_ROOT=root; pid() < 0 when it could not be started.
    DeviceProcess(const std::vector<std::string>& argv, const std::string& root, Pipes pipes);
    ~DeviceProcess();  // ends it as stop() does
    DeviceProcess(const DeviceProcess&) = delete;
    DeviceProcess& operator=(const DeviceProcess&) = delete;

    pid_t pid() const { return pid_; }
    int input() const { return input_; }    // -1 without a pipe
    int output() const { return output_; }  // -1 without a pipe

    // Closes its input, sends SIGTERM, and after `graceMs` SIGKILL; returns the wait status.
    int stop(int graceMs = 5000);

private:
    pid_t pid_ = -1;
    int input_ = -1, output_ = -1;
    bool reaped_ = false;
    int status_ = 0;
};

// The directory of this executable, where the device's programs are built beside it.
std::string ownDirectory();

}  // namespace simulator
