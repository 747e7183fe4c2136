// URL parsing: what URLWithString accepts is the text it was given, holds none of the characters the
// parser refuses, and splits into parts of that text; percentEncode output decodes back to its input
// and is always accepted after a scheme.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "Check.h"
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

bool allowedUnescaped(char c, URLComponent component) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    switch (component) {
        case URLComponent::Path: return std::string_view("!$&'()*+,-./:=@_~").find(c) != std::string_view::npos;
        case URLComponent::QueryValue: return std::string_view("!$'()*,-./:;?@_~").find(c) != std::string_view::npos;
        case URLComponent::Query:
        case URLComponent::Fragment: return std::string_view("!$&'()*+,-./:;=?@_~").find(c) != std::string_view::npos;
    }
    return false;
}

void checkEncoding(std::string_view text, URLComponent component) {
    const std::string encoded = NSURL::percentEncode(text, component);
    std::string decoded;
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%') {
            require(i + 2 < encoded.size() && isUpperHex(encoded[i + 1]) && isUpperHex(encoded[i + 2]),
                    "an escape is '%' and two upper-case hex digits");
            decoded.push_back(static_cast<char>(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2])));
            i += 2;
        } else {
            require(allowedUnescaped(encoded[i], component), "only characters the component allows stay unescaped");
            decoded.push_back(encoded[i]);
        }
    }
    require(decoded == text, "an encoded text decodes to itself");
    if (component == URLComponent::Path)
        require(NSURL::URLWithString("x:/" + encoded) != nullptr, "an encoded path makes a valid URL");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (Ref<NSURL> url = NSURL::URLWithString(text)) checkAccepted(*url, text);
    for (auto component : {URLComponent::Query, URLComponent::QueryValue, URLComponent::Path, URLComponent::Fragment})
        checkEncoding(text, component);
    return 0;
}
