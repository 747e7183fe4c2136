#pragma once
// Finding the processes of one device by name and signalling them.

#include <string>
#include <string_view>
#include <vector>

namespace killall {

// The kernel keeps 15 characters of an executable's name; a longer name matches on those.
bool nameMatches(std::string_view processName, std::string_view wanted);

struct ScanResult {
    int matched = 0;     // processes of the device with a wanted name, alive when signalled
    int signalled = 0;
};

// Signals every process of `deviceRoot` (canonical) whose name is one of `names`, never this one.
// Failures other than a process having gone are reported on stderr.
ScanResult signalDeviceProcesses(const std::string& deviceRoot, const std::vector<std::string>& names, int signal);

}  // namespace killall
