#include "Foundation/NSURL.h"

#include <algorithm>
#include <cctype>

OBJC_IMPLEMENTATION(NSURL)

namespace {

bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool isAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool isValidURLText(std::string_view text) {
    if (text.empty()) return false;
    bool seenHash = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c <= 0x20 || c >= 0x7F) return false;  // controls, space, DEL, non-ASCII
        switch (c) {
            case '"': case '<': case '>': case '\\': case '^': case '`': case '{': case '}': case '|':
                return false;
            case '%':
                if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])) return false;
                break;
            case '#':
                if (seenHash) return false;
                seenHash = true;
                break;
            default:
                break;
        }
    }
    return true;
}

bool isValidScheme(std::string_view s) {
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
    return std::all_of(s.begin(), s.end(), [](char c) { return isAlnum(c) || c == '+' || c == '-' || c == '.'; });
}

}  // namespace

Ref<NSURL> NSURL::URLWithString(std::string_view text) {
    if (!isValidURLText(text)) return nullptr;
    auto url = make<NSURL>();
    url->text_ = std::string(text);
    if (!url->parse()) return nullptr;
    return url;
}

Ref<NSURL> NSURL::URLWithString(const NSString* text) { return text ? URLWithString(text->str()) : nullptr; }

// scheme ":" ["//" authority] path ["?" query] ["#" fragment], each part optional.
bool NSURL::parse() {
    const std::string_view t = text_;
    size_t at = 0;
    const size_t colon = t.find_first_of(":/?#");
    if (colon != std::string_view::npos && t[colon] == ':' && isValidScheme(t.substr(0, colon))) {
        scheme_ = {0, colon};
        at = colon + 1;
    }
    if (t.substr(at, 2) == "//") {
        const size_t start = at + 2;
        const size_t end = std::min(t.find_first_of("/?#", start), t.size());
        size_t hostStart = start;
        const size_t atSign = t.substr(start, end - start).rfind('@');
        if (atSign != std::string_view::npos) hostStart = start + atSign + 1;
        size_t hostEnd = end;
        if (hostStart < end && t[hostStart] == '[') {
            const size_t close = t.find(']', hostStart);
            if (close == std::string_view::npos || close > end) return false;
            host_ = {hostStart + 1, close - hostStart - 1};
        } else {
            const size_t portColon = t.substr(hostStart, end - hostStart).find(':');
            if (portColon != std::string_view::npos) hostEnd = hostStart + portColon;
            host_ = {hostStart, hostEnd - hostStart};
        }
        at = end;
    }
    const size_t pathEnd = std::min(t.find_first_of("?#", at), t.size());
    path_ = {at, pathEnd - at};
    at = pathEnd;
    if (at < t.size() && t[at] == '?') {
        const size_t end = std::min(t.find('#', at), t.size());
        query_ = {at + 1, end - at - 1};
        at = end;
    }
    if (at < t.size() && t[at] == '#') fragment_ = {at + 1, t.size() - at - 1};
    return true;
}

