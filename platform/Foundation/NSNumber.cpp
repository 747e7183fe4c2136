#include "Foundation/NSNumber.h"

#include <cmath>
#include <cstdio>

OBJC_IMPLEMENTATION(NSNumber,
                    objc::method("boolValue", [](id self, SEL) -> BOOL { return static_cast<NSNumber*>(self)->boolValue(); }),
                    objc::method("intValue", [](id self, SEL) -> int { return static_cast<NSNumber*>(self)->intValue(); }))

bool NumberValue::boolValue() const { return kind_ == Kind::Real ? real_ != 0 : integer_ != 0; }

int NumberValue::intValue() const {
    if (kind_ != Kind::Real) return static_cast<int>(static_cast<unsigned long long>(integer_));
    // A real out of int's range has no defined conversion in C++; saturate rather than trap.
    if (std::isnan(real_)) return 0;
    if (real_ >= 2147483647.0) return 2147483647;
    if (real_ <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(real_);
}

long long NumberValue::longLongValue() const {
    if (kind_ != Kind::Real) return integer_;
    if (std::isnan(real_)) return 0;
    if (real_ >= 9.2233720368547758e18) return 9223372036854775807LL;
    if (real_ <= -9.2233720368547758e18) return -9223372036854775807LL - 1;
    return static_cast<long long>(real_);
}

double NumberValue::doubleValue() const {
    if (kind_ == Kind::Real) return real_;
    return unsigned_ ? static_cast<double>(static_cast<unsigned long long>(integer_)) : static_cast<double>(integer_);
}

bool NumberValue::isEqualTo(const NumberValue& other) const {
    if (kind_ == Kind::Real || other.kind_ == Kind::Real) return doubleValue() == other.doubleValue();
    // -1 and 2^64-1 share their bits, not their value.
    return integer_ == other.integer_ && unsigned_ == other.unsigned_;
}

std::string NumberValue::description() const {
    if (kind_ == Kind::Real) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", real_);
        return buf;
    }
    return unsigned_ ? std::to_string(static_cast<unsigned long long>(integer_)) : std::to_string(integer_);
}
