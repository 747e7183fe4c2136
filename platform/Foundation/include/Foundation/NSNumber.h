#pragma once
// A boxed boolean, integer or real, remembering which of the three it was made from, as a
// property list does.

#include <string>

#include "objc/runtime.h"

// A number's value and its readings, apart from any object: a property-list read hands numbers out
// as these, so the hooks' reads on every call allocate nothing.
class NumberValue {
public:
    enum class Kind { Boolean, Integer, Real };

    constexpr NumberValue() = default;
    static constexpr NumberValue boolean(bool v) { return {Kind::Boolean, v ? 1 : 0, 0, false}; }
    static constexpr NumberValue integer(long long v) { return {Kind::Integer, v, 0, false}; }
    // Property lists hold integers up to 2^64-1 (Cocoa writes unsigned 64-bit values so); one
    // above 2^63-1 is kept as unsigned.
    static constexpr NumberValue unsignedInteger(unsigned long long v) {
        return {Kind::Integer, static_cast<long long>(v), 0, v > 9223372036854775807ULL};
    }
    static constexpr NumberValue real(double v) { return {Kind::Real, 0, v, false}; }

    Kind kind() const { return kind_; }
    // An integer above 2^63-1.
    bool isUnsigned() const { return unsigned_; }
    bool boolValue() const;
    // Truncates toward zero from a real, keeps the low 32 bits of a wide integer, as a C cast does
    // (so 2^64-1 reads as -1, as Foundation's intValue of an unsigned long long does).
    int intValue() const;
    // The low 64 bits of an integer, as a C cast does.
    long long longLongValue() const;
    unsigned long long unsignedLongLongValue() const { return static_cast<unsigned long long>(longLongValue()); }
    double doubleValue() const;
    bool isEqualTo(const NumberValue& other) const;
    std::string description() const;

private:
    constexpr NumberValue(Kind kind, long long integer, double real, bool isUnsigned)
        : kind_(kind), unsigned_(isUnsigned), integer_(integer), real_(real) {}

    Kind kind_ = Kind::Integer;
    bool unsigned_ = false;
    long long integer_ = 0;
    double real_ = 0;
};

class NSNumber : public NSObject {
    OBJC_INTERFACE(NSNumber, NSObject)

public:
    using Kind = NumberValue::Kind;

    NSNumber() = default;
    explicit NSNumber(NumberValue value) : value_(value) {}
    static Ref<NSNumber> numberWithBool(bool v) { return make<NSNumber>(NumberValue::boolean(v)); }
    static Ref<NSNumber> numberWithInteger(long long v) { return make<NSNumber>(NumberValue::integer(v)); }
    static Ref<NSNumber> numberWithDouble(double v) { return make<NSNumber>(NumberValue::real(v)); }

    const NumberValue& value() const { return value_; }
    Kind kind() const { return value_.kind(); }
    bool boolValue() const { return value_.boolValue(); }
    int intValue() const { return value_.intValue(); }
    long long longLongValue() const { return value_.longLongValue(); }
    bool isUnsigned() const { return value_.isUnsigned(); }
    double doubleValue() const { return value_.doubleValue(); }
    bool isEqualToNumber(const NSNumber& other) const { return value_.isEqualTo(other.value_); }

    std::string description() const override { return value_.description(); }

private:
    NumberValue value_;
};
