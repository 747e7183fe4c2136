#pragma once
// Immutable text. Property-list strings, labels and keys are NSStrings when they travel as objects.

#include <string>
#include <string_view>

#include "objc/runtime.h"

class NSString : public NSObject {
    OBJC_INTERFACE(NSString, NSObject)

public:
    NSString() = default;
    explicit NSString(std::string text) : text_(std::move(text)) {}
    static Ref<NSString> string(std::string_view text) { return make<NSString>(std::string(text)); }

    const std::string& str() const { return text_; }
    const char* UTF8String() const { return text_.c_str(); }
    size_t length() const { return text_.size(); }
    bool isEqualToString(std::string_view other) const { return text_ == other; }

    // Foundation's readings: "YES", "true", "1" are true; leading whitespace, sign and zeros skipped.
    bool boolValue() const;
    // Leading whitespace, optional sign, digits up to the first other character; clamped to int.
    int intValue() const;

    std::string description() const override { return text_; }

private:
    std::string text_;
};
