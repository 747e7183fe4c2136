#include <mutex>
#include <string>
#include <unordered_map>

#include "CoreFoundation/CFBase.h"

CFStringRef CFStringMakeConstantString(std::string_view text) {
    struct Table {
        std::mutex lock;
        std::unordered_map<std::string, Ref<NSString>> strings;
    };
    // Constants outlive every other static, as literals do.
    static auto* table = new Table;
    std::lock_guard guard(table->lock);
    auto [it, inserted] = table->strings.try_emplace(std::string(text));
    if (inserted) it->second = NSString::string(text);
    return it->second.get();
}

CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* text, CFStringEncoding encoding) {
    if (!text || encoding != kCFStringEncodingUTF8) return nullptr;
    return NSString::string(text).leak();
}

void CFRelease(CFTypeRef object) {
    if (object) object->release();
}

CFStringRef CFURLCreateStringByAddingPercentEscapes(CFAllocatorRef, CFStringRef originalString,
                                                    CFStringRef charactersToLeaveUnescaped,
                                                    CFStringRef legalURLCharactersToBeEscaped, CFStringEncoding) {
    if (!originalString) return nullptr;
    // What a URL may hold unescaped: alphanumerics and these.
    constexpr std::string_view kLegal = "!#$&'()*+,-./:;=?@_~";
    const std::string_view keep = charactersToLeaveUnescaped ? std::string_view(charactersToLeaveUnescaped->str()) : "";
    const std::string_view escape =
        legalURLCharactersToBeEscaped ? std::string_view(legalURLCharactersToBeEscaped->str()) : "";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : originalString->str()) {
        const auto byte = static_cast<unsigned char>(c);
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool legal = byte < 0x80 && (alnum || kLegal.find(c) != std::string_view::npos);
        const bool kept = byte < 0x80 && byte != 0 && keep.find(c) != std::string_view::npos;
        if (kept || (legal && escape.find(c) == std::string_view::npos)) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    NSString* result = new NSString(std::move(out));
    result->retain();  // the Create rule: the caller holds the one reference
    return result;
}
