#pragma once
// The text rules shared by both property-list encodings: which strings are valid, how UTF-16 becomes
// UTF-8, and how the XML encoding spells numbers, dates and data.
//
// A string is valid when it is well-formed Unicode without U+0000: the XML encoding cannot carry
// U+0000 at all, and our objects hand strings on as C strings, so a binary file holding it would
// read differently from its XML twin and could not be written back.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Foundation/NSNumber.h"

namespace plist::text {

// Well-formed UTF-8: no overlong forms, surrogates, code points past U+10FFFF, or U+0000.
bool isValidUTF8(std::string_view bytes);

// UTF-16 (big-endian code units, as binary property lists store them), `units` units at `p`.
// The length of its UTF-8 form; nullopt for a lone surrogate or U+0000.
std::optional<size_t> utf8LengthOfUTF16(const uint8_t* p, size_t units);
// Appends the UTF-8 form of UTF-16 already checked by utf8LengthOfUTF16.
void appendUTF16(const uint8_t* p, size_t units, std::string& out);
// Whether UTF-16 already checked spells exactly `utf8`.
bool utf16Equals(const uint8_t* p, size_t units, std::string_view utf8);

// <integer>: optional sign, then decimal digits (a leading zero is still decimal) or "0x" and hex
// digits; surrounding whitespace allowed; nullopt outside -2^63 to 2^64-1.
std::optional<NumberValue> parseInteger(std::string_view text);
// <real>: optional sign, decimal digits with optional fraction and exponent, or nan / inf / infinity.
std::optional<double> parseReal(std::string_view text);
// <date>: "YYYY-MM-DDTHH:MM:SSZ" as seconds since 2001-01-01 00:00:00 UTC.
std::optional<double> parseDate(std::string_view text);
// <data>: base64 as Apple reads it: every character outside the alphabet is skipped, and padding
// that completes the last group ends the data; nullopt only for a last group of one sextet.
std::optional<std::string> parseBase64(std::string_view text);

}  // namespace plist::text
