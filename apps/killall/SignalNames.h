#pragma once
// Signal names as the command line spells them: "KILL", "SIGTERM", "usr1" or a number.

#include <optional>
#include <string>
#include <string_view>

namespace killall {

// The signal a name or number stands for; nothing when it names no signal.
std::optional<int> signalNamed(std::string_view text);
// Every signal name, in signal-number order, separated by spaces.
std::string signalList();

}  // namespace killall
