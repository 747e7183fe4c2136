#include "Encodings.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

#include "plist/PlistText.h"

namespace plutil {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr long long kReferenceDate = 978307200;  // 2001-01-01 00:00:00 UTC in Unix time

}  // namespace

std::string base64(std::string_view bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        unsigned group = 0;
        for (size_t k = 0; k < 3; ++k) group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k) text += k <= n ? kAlphabet[group >> (18 - 6 * k) & 63] : '=';
    }
    return text;
}

std::optional<std::string> fromBase64(std::string_view text) {
    // Typed by a person on one line: whole padded groups, no whitespace.
    if (text.size() % 4 != 0 || text.find_first_of(" \t\r\n") != std::string_view::npos) return std::nullopt;
    return plist::text::parseBase64(text);
}

std::optional<std::string> isoDate(double sinceReferenceDate) {
    constexpr double kYear10000 = 253402300800.0 - kReferenceDate, kYear0 = -62167219200.0 - kReferenceDate;
    if (!(sinceReferenceDate >= kYear0 && sinceReferenceDate < kYear10000)) return std::nullopt;
    const std::time_t unix = static_cast<std::time_t>(std::floor(sinceReferenceDate)) + kReferenceDate;
    std::tm parts{};
    ::gmtime_r(&unix, &parts);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return std::string(text);
}

std::optional<double> fromIsoDate(std::string_view text) {
    // No surrounding whitespace and no leap second, unlike a file's <date>; years 0001 to 9999.
    if (text.size() != 20 || text.substr(17, 2) == "60" || text.starts_with("0000")) return std::nullopt;
    return plist::text::parseDate(text);
}

}  // namespace plutil
