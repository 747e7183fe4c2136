#pragma once
// URLs made from text. URLWithString refuses text that is not a valid URL, as the device's parser
// does: a space, a non-ASCII byte, any of  " < > \ ^ ` { } |, a '%' not followed by two hex digits,
// a second '#', a control character or DEL, and the empty text. '[' and ']' are accepted, and a
// bare scheme ("tweetbot:") is a valid URL with no host and no path.

#include <string>
#include <string_view>

#include "Foundation/NSString.h"
#include "objc/runtime.h"

class NSURL : public NSObject {
    OBJC_INTERFACE(NSURL, NSObject)

public:
    NSURL() = default;

    // nil for text that is not a valid URL (see above).
    static Ref<NSURL> URLWithString(std::string_view text);
    static Ref<NSURL> URLWithString(const NSString* text);

    // The text the URL was made from. The other parts are empty when the URL has none, and are
    // given as written: percent escapes stay escaped.
    const std::string& absoluteString() const { return text_; }
    std::string scheme() const { return part(scheme_); }
    std::string host() const { return part(host_); }  // without user, port or IPv6 brackets
    std::string path() const { return part(path_); }
    std::string query() const { return part(query_); }
    std::string fragment() const { return part(fragment_); }

    std::string description() const override { return text_; }

private:
    struct Span {
        size_t start = 0;
        size_t length = 0;
    };
    std::string part(Span span) const { return text_.substr(span.start, span.length); }
    bool parse();

    std::string text_;
    Span scheme_, host_, path_, query_, fragment_;
};
