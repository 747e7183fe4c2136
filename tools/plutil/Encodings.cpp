#include "Encodings.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

#include <nlohmann/json.hpp>

namespace plutil {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr long long kReferenceDate = 978307200;  // 2001-01-01 00:00:00 UTC in Unix time

int sextet(char c) {
    const auto at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

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
    if (text.size() % 4 != 0) return std::nullopt;
    const size_t padding = text.ends_with("==") ? 2 : text.ends_with('=') ? 1 : 0;
    std::string bytes;
    for (size_t i = 0; i < text.size(); i += 4) {
        unsigned group = 0;
        const bool last = i + 4 == text.size();
        for (size_t k = 0; k < 4; ++k) {
            const bool pad = last && k >= 4 - padding;
            const int value = pad ? 0 : sextet(text[i + k]);
            if (value < 0) return std::nullopt;
            group = group << 6 | static_cast<unsigned>(value);
        }
        const size_t n = last ? 3 - padding : 3;
        for (size_t k = 0; k < n; ++k) bytes += static_cast<char>(group >> (16 - 8 * k) & 0xFF);
    }
    return bytes;
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
    if (text.size() != 20) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char expected = i == 4 || i == 7 ? '-' : i == 10 ? 'T' : i == 13 || i == 16 ? ':' : i == 19 ? 'Z' : '0';
        if (expected == '0' ? (c < '0' || c > '9') : c != expected) return std::nullopt;
    }
    const auto number = [&](size_t at, size_t length) { return std::stoi(std::string(text.substr(at, length))); };
    std::tm parts{};
    parts.tm_year = number(0, 4) - 1900;
    parts.tm_mon = number(5, 2) - 1;
    parts.tm_mday = number(8, 2);
    parts.tm_hour = number(11, 2);
    parts.tm_min = number(14, 2);
    parts.tm_sec = number(17, 2);
    const std::tm asGiven = parts;
    const long long seconds = static_cast<long long>(::timegm(&parts)) - kReferenceDate;
    // timegm carries 31 April into May: a date that moved was never a date.
    if (parts.tm_mday != asGiven.tm_mday || parts.tm_mon != asGiven.tm_mon || parts.tm_hour != asGiven.tm_hour ||
        parts.tm_min != asGiven.tm_min || parts.tm_sec != asGiven.tm_sec)
        return std::nullopt;
    if (seconds < std::numeric_limits<int32_t>::min() || seconds > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<double>(seconds);
}

bool isValidUTF8(std::string_view text) {
    try {
        (void)nlohmann::json(std::string(text)).dump();
        return true;
    } catch (const nlohmann::json::type_error&) {
        return false;
    }
}

}  // namespace plutil
