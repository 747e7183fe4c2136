#pragma once
// Side effects, printed on standard output as one JSON line each when they happen: values stored
// or refused by the store (with its reason), notifications posted, shell commands run, URLs opened,
// sheets presented and dismissed, mail asked for on a device without a mail account.

#include <optional>
#include <string>

namespace settings {

// Starts watching the frameworks. Call once, before the first command.
void startReportingEvents();

// A shell command that ran through system(), with its exit status (128 + signal when a signal
// ended it, -1 when it could not be run).
void reportSystemCall(const std::string& command, int status);

// The reason the store gave for the latest value it refused since the last call; nothing when it
// refused none.
std::optional<std::string> takeRefusal();

}  // namespace settings
