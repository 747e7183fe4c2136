#pragma once
// The text forms of data and dates that a person reads and types: base64 and ISO 8601 in UTC.

#include <optional>
#include <string>
#include <string_view>

namespace plutil {

std::string base64(std::string_view bytes);
// Standard alphabet with '=' padding; nothing for anything else (whitespace included).
std::optional<std::string> fromBase64(std::string_view text);

// "2024-05-01T12:30:00Z", seconds counted from 2001-01-01 00:00:00 UTC as property lists do;
// fractions of a second are dropped. Nothing for a time no calendar year of four digits holds.
std::optional<std::string> isoDate(double sinceReferenceDate);
// "YYYY-MM-DDTHH:MM:SSZ"; nothing for another form, an impossible date, or one the binary
// encoding cannot hold (beyond 2^31 seconds from 2001).
std::optional<double> fromIsoDate(std::string_view text);

}  // namespace plutil
