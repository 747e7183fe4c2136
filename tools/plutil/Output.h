#pragma once
// What plutil writes: a value in one of the output formats, or printed for a person to read.

#include <optional>
#include <string>
#include <string_view>

#include "objc/runtime.h"

namespace plutil {

enum class OutputFormat { XML, Binary, JSON, Raw };

// xml1, binary1, json or raw.
std::optional<OutputFormat> outputFormat(std::string_view name);

// The value's bytes in the format; nothing, with `problem` set, when the format cannot hold it.
// JSON writes data as base64 and dates in ISO 8601; raw writes one value that is no container.
std::optional<std::string> encode(const NSObject* value, OutputFormat format, std::string& problem);

// An indented listing for a person: keys in order, "=>" before values, array elements numbered.
std::string readable(const NSObject* value);

}  // namespace plutil
