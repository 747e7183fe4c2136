#include "plist/PlistText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace plist::text {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

uint16_t unitAt(const uint8_t* p, size_t i) { return static_cast<uint16_t>(p[2 * i] << 8 | p[2 * i + 1]); }

// Calls `use(codePoint)` for each code point; false on a lone surrogate or U+0000.
template <class Use>
bool decodeUTF16(const uint8_t* p, size_t units, Use&& use) {
    for (size_t i = 0; i < units; ++i) {
        uint32_t c = unitAt(p, i);
        if (c == 0) return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == units) return false;
            const uint32_t low = unitAt(p, i + 1);
            if (low < 0xDC00 || low > 0xDFFF) return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
        if (!use(c)) return false;
    }
    return true;
}

size_t utf8Width(uint32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

// The UTF-8 form of one code point, in `out`; its length.
size_t encodeUTF8(uint32_t c, char* out) {
    const size_t n = utf8Width(c);
    if (n == 1) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    static constexpr uint8_t kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (size_t i = n - 1; i > 0; --i, c >>= 6) out[i] = static_cast<char>(0x80 | (c & 0x3F));
    out[0] = static_cast<char>(kLead[n] | c);
    return n;
}

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

}  // namespace

bool isValidUTF8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned c = p[i];
        if (c >= 0x01 && c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        uint32_t cp, min;
        if (c >= 0xC2 && c <= 0xDF) len = 2, cp = c & 0x1F, min = 0x80;
        else if (c >= 0xE0 && c <= 0xEF) len = 3, cp = c & 0x0F, min = 0x800;
        else if (c >= 0xF0 && c <= 0xF4) len = 4, cp = c & 0x07, min = 0x10000;
        else return false;  // U+0000, a continuation byte, or a lead byte never valid
        if (n - i < len) return false;
        for (size_t k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = cp << 6 | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::optional<size_t> utf8LengthOfUTF16(const uint8_t* p, size_t units) {
    size_t length = 0;
    if (!decodeUTF16(p, units, [&](uint32_t c) { return length += utf8Width(c), true; })) return std::nullopt;
    return length;
}

void appendUTF16(const uint8_t* p, size_t units, std::string& out) {
    decodeUTF16(p, units, [&](uint32_t c) {
        char buf[4];
        out.append(buf, encodeUTF8(c, buf));
        return true;
    });
}

bool utf16Equals(const uint8_t* p, size_t units, std::string_view utf8) {
    size_t at = 0;
    return decodeUTF16(p, units,
                       [&](uint32_t c) {
                           char buf[4];
                           const size_t n = encodeUTF8(c, buf);
                           if (utf8.size() - at < n || utf8.compare(at, n, buf, n) != 0) return false;
                           at += n;
                           return true;
                       }) &&
           at == utf8.size();
}

std::optional<NumberValue> parseInteger(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    // The magnitude, limited to what a property list holds with this sign: -2^63 to 2^64-1.
    const unsigned long long limit = negative ? 1ULL << 63 : ~0ULL;
    unsigned long long magnitude = 0;
    for (char c : text) {
        const int d = digitValue(c, base);
        if (d < 0 || magnitude > (limit - static_cast<unsigned>(d)) / static_cast<unsigned>(base)) return std::nullopt;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    }
    return negative ? NumberValue::integer(static_cast<long long>(0 - magnitude)) : NumberValue::unsignedInteger(magnitude);
}

std::optional<double> parseReal(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would take a second sign, hex floats are not ours, and nan(...) payloads neither.
    if (text.empty() || text.front() == '-' || text.front() == '+' || text.find('(') != std::string_view::npos)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (end != text.data() + text.size()) return std::nullopt;
    // Out of range: from_chars reports it and leaves the value alone; the spelled value is infinite or zero.
    if (error == std::errc::result_out_of_range) {
        const size_t e = text.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> parseDate(std::string_view text) {
    text = trim(text);
    // YYYY-MM-DDTHH:MM:SSZ
    constexpr std::string_view shape = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != shape.size()) return std::nullopt;
    for (size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == 'd' ? digitValue(text[i], 10) < 0 : text[i] != shape[i]) return std::nullopt;
    auto number = [&](size_t at, size_t len) {
        unsigned v = 0;
        for (size_t i = at; i < at + len; ++i) v = v * 10 + static_cast<unsigned>(text[i] - '0');
        return v;
    };
    const unsigned year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const unsigned hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    static constexpr unsigned kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1] || hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && day == 29 && !leap) return std::nullopt;
    const long long days = daysFromCivil(year, month, day) - daysFromCivil(2001, 1, 1);
    return static_cast<double>(days * 86400 + hour * 3600 + minute * 60 + second);
}

std::optional<std::string> parseBase64(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3);
    uint32_t bits = 0;
    int held = 0;  // sextets held in `bits`
    int pads = 0;  // '=' after them
    for (char c : text) {
        if (c == '=') {
            // Padding that completes a group of two or three ends the data; any other '=' is noise.
            if (held >= 2 && held + ++pads >= 4) break;
            continue;
        }
        int v;
        if (c >= 'A' && c <= 'Z') v = c - 'A';
        else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
        else if (c >= '0' && c <= '9') v = c - '0' + 52;
        else if (c == '+') v = 62;
        else if (c == '/') v = 63;
        else continue;  // as Apple's reader does: whatever is not base64 is skipped
        pads = 0;
        bits = bits << 6 | static_cast<uint32_t>(v);
        if (++held == 4) {
            out += static_cast<char>(bits >> 16);
            out += static_cast<char>(bits >> 8);
            out += static_cast<char>(bits);
            bits = 0;
            held = 0;
        }
    }
    // A final group of two or three sextets carries one or two bytes; one sextet carries none.
    if (held == 1) return std::nullopt;
    if (held == 2) out += static_cast<char>(bits >> 4);
    if (held == 3) {
        out += static_cast<char>(bits >> 10);
        out += static_cast<char>(bits >> 2);
    }
    return out;
}

}  // namespace plist::text
