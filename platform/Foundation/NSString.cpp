#include "Foundation/NSString.h"

#include <cctype>
#include <climits>

OBJC_IMPLEMENTATION(NSString,
                    objc::method("boolValue", [](id self, SEL) -> BOOL { return static_cast<NSString*>(self)->boolValue(); }),
                    objc::method("intValue", [](id self, SEL) -> int { return static_cast<NSString*>(self)->intValue(); }))

namespace {
size_t skipSpace(const std::string& s, size_t i) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    return i;
}
}  // namespace

bool NSString::boolValue() const {
    size_t i = skipSpace(text_, 0);
    if (i < text_.size() && (text_[i] == '+' || text_[i] == '-')) ++i;
    while (i < text_.size() && text_[i] == '0') ++i;
    if (i == text_.size()) return false;
    const char c = text_[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

int NSString::intValue() const {
    size_t i = skipSpace(text_, 0);
    bool negative = false;
    if (i < text_.size() && (text_[i] == '+' || text_[i] == '-')) negative = text_[i++] == '-';
    long long value = 0;
    for (; i < text_.size() && std::isdigit(static_cast<unsigned char>(text_[i])); ++i) {
        value = value * 10 + (text_[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;  // clamped below; no overflow
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
