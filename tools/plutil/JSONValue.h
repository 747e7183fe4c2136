#pragma once
// Property-list values as JSON values, and the text forms JSON shares with the other outputs.

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "objc/runtime.h"

namespace plutil {

// Data becomes base64 text, a date ISO 8601 text. Nothing, with `problem` set, for a real JSON
// cannot hold (NaN, infinity) or a date beyond what ISO 8601 text spells.
std::optional<nlohmann::json> jsonValue(const NSObject* value, std::string& problem);

// JSON text, always valid UTF-8: bytes that are not become U+FFFD.
std::string jsonText(const nlohmann::json& value);

}  // namespace plutil
