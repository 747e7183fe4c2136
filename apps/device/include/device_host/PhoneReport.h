#pragma once
// The serving Phone app's report: one JSON line at a fixed device path, naming the process that
// wrote it ("pid"), so that a reader can tell a report of an app that has ended from a live one,
// and whoever sees that process end can clear it.

#include <sys/types.h>

#include <optional>
#include <string>

namespace device_host {

inline constexpr const char* kPhoneReportPath = "/var/mobile/Library/MobilePhone/report.json";

// The "pid" a report file names; nothing when there is no file or it names none.
std::optional<pid_t> reportWriter(const std::string& hostPath);

// Removes the report at `hostPath` when process `pid` wrote it; a report of any other process (a
// newer app's) stays. True when a report was removed.
bool removeReportOf(const std::string& hostPath, pid_t pid);

}  // namespace device_host
