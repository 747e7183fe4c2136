// URL parsing: what URLWithString accepts is the text it was given, holds none of the characters the
// parser refuses, and splits into parts of that text; CoreFoundation's URL escapes decode back to
// their input, and an escaped query value always makes a valid URL with one query pair.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "Check.h"
#include "CoreFoundation/CFBase.h"
#include "Foundation/NSURL.h"

namespace {

using fuzzing::require;

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool isUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }
int hexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

bool refusedInURL(unsigned char c) {
    return c <= 0x20 || c >= 0x7F || std::string_view("\"<>\\^`{}|").find(static_cast<char>(c)) != std::string_view::npos;
}

void checkAccepted(const NSURL& url, std::string_view text) {
    require(url.absoluteString() == text, "a URL keeps the text it was made from");
    require(!text.empty(), "the empty text is no URL");
    require(std::none_of(text.begin(), text.end(), [](char c) { return refusedInURL(static_cast<unsigned char>(c)); }),
            "an accepted URL holds no refused character");
    require(std::count(text.begin(), text.end(), '#') <= 1, "an accepted URL has one '#' at most");
    for (size_t i = text.find('%'); i != std::string_view::npos; i = text.find('%', i + 1))
        require(i + 2 < text.size() && isHex(text[i + 1]) && isHex(text[i + 2]), "every '%' of a URL starts an escape");
    for (const std::string& part : {url.scheme(), url.host(), url.path(), url.query(), url.fragment()})
        require(text.find(part) != std::string_view::npos, "each part of a URL is part of its text");
}

bool legalInURL(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("!#$&'()*+,-./:;=?@_~").find(c) != std::string_view::npos;
}

// Escapes the text as a query value is escaped (or, with no `extra`, as any URL text is).
void checkEncoding(std::string_view text, const char* extra) {
    const Ref<NSString> original = NSString::string(text);
    const Ref<NSString> escapes = extra ? NSString::string(extra) : nullptr;
    CFStringRef made = CFURLCreateStringByAddingPercentEscapes(nullptr, original.get(), nullptr, escapes.get(),
                                                               kCFStringEncodingUTF8);
    const std::string encoded = made->str();
    CFRelease(made);
    const std::string_view escaped = extra ? extra : "";
    std::string decoded;
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%') {
            require(i + 2 < encoded.size() && isUpperHex(encoded[i + 1]) && isUpperHex(encoded[i + 2]),
                    "an escape is '%' and two upper-case hex digits");
            decoded.push_back(static_cast<char>(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2])));
            i += 2;
        } else {
            require(legalInURL(encoded[i]) && escaped.find(encoded[i]) == std::string_view::npos,
                    "only what a URL holds and the caller did not ask escaped stays unescaped");
            decoded.push_back(encoded[i]);
        }
    }
    require(decoded == text, "an escaped text decodes to itself");
    if (!extra) return;
    const Ref<NSURL> url = NSURL::URLWithString("mailto:a@b.c?subject=" + encoded);
    require(url != nullptr, "an escaped query value makes a valid URL");
    require(url->query() == "subject=" + encoded && url->fragment().empty(), "the value stays one pair of the query");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (Ref<NSURL> url = NSURL::URLWithString(text)) checkAccepted(*url, text);
    checkEncoding(text, nullptr);
    checkEncoding(text, "&=+#");
    return 0;
}
