#pragma once
// What the original implementation of a hookable method received, kept for the report.

#include <optional>
#include <variant>
#include <vector>

#include "objc/runtime.h"

namespace phone {

// One argument or result as a report shows it: nil, a boolean, an integer or an object.
using Value = std::variant<std::monostate, bool, long long, Ref<NSObject>>;

// What the original implementation of the message being sent received; empty when it was not called.
void recordReceived(std::vector<Value> arguments);
std::optional<std::vector<Value>> takeReceived();

}  // namespace phone
