#pragma once

#include <string>

#include "objc/runtime.h"

class NSData : public NSObject {
    OBJC_INTERFACE(NSData, NSObject)

public:
    NSData() = default;
    explicit NSData(std::string bytes) : bytes_(std::move(bytes)) {}
    const std::string& bytes() const { return bytes_; }
    size_t length() const { return bytes_.size(); }

private:
    std::string bytes_;
};

// A point in time, in seconds since 2001-01-01 00:00:00 UTC as property lists store it.
class NSDate : public NSObject {
    OBJC_INTERFACE(NSDate, NSObject)

public:
    NSDate() = default;
    explicit NSDate(double sinceReferenceDate) : seconds_(sinceReferenceDate) {}
    double timeIntervalSinceReferenceDate() const { return seconds_; }

private:
    double seconds_ = 0;
};
