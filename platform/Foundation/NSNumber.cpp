#include "Foundation/NSNumber.h"

#include <cmath>
#include <cstdio>

OBJC_IMPLEMENTATION(NSNumber)

Ref<NSNumber> NSNumber::numberWithBool(bool v) {
    auto n = make<NSNumber>();
    n->kind_ = Kind::Boolean;
    n->integer_ = v ? 1 : 0;
    return n;
}

Ref<NSNumber> NSNumber::numberWithInteger(long long v) {
    auto n = make<NSNumber>();
    n->kind_ = Kind::Integer;
    n->integer_ = v;
    return n;
}

Ref<NSNumber> NSNumber::numberWithDouble(double v) {
    auto n = make<NSNumber>();
    n->kind_ = Kind::Real;
    n->real_ = v;
    return n;
}

bool NSNumber::boolValue() const { return kind_ == Kind::Real ? real_ != 0 : integer_ != 0; }

int NSNumber::intValue() const {
    if (kind_ != Kind::Real) return static_cast<int>(static_cast<unsigned long long>(integer_));
    // A real out of int's range has no defined conversion in C++; saturate rather than trap.
    if (std::isnan(real_)) return 0;
    if (real_ >= 2147483647.0) return 2147483647;
    if (real_ <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(real_);
}

long long NSNumber::longLongValue() const {
    if (kind_ != Kind::Real) return integer_;
    if (std::isnan(real_)) return 0;
    if (real_ >= 9.2233720368547758e18) return 9223372036854775807LL;
    if (real_ <= -9.2233720368547758e18) return -9223372036854775807LL - 1;
    return static_cast<long long>(real_);
}

double NSNumber::doubleValue() const { return kind_ == Kind::Real ? real_ : static_cast<double>(integer_); }

bool NSNumber::isEqualToNumber(const NSNumber& other) const {
    if (kind_ == Kind::Real || other.kind_ == Kind::Real) return doubleValue() == other.doubleValue();
    return integer_ == other.integer_;
}

std::string NSNumber::description() const {
    if (kind_ == Kind::Real) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", real_);
        return buf;
    }
    return std::to_string(integer_);
}
