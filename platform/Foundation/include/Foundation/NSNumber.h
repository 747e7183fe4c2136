#pragma once
// A boxed boolean, integer or real, remembering which of the three it was made from, as a
// property list does.

#include "objc/runtime.h"

class NSNumber : public NSObject {
    OBJC_INTERFACE(NSNumber, NSObject)

public:
    enum class Kind { Boolean, Integer, Real };

    NSNumber() = default;
    static Ref<NSNumber> numberWithBool(bool v);
    static Ref<NSNumber> numberWithInteger(long long v);
    static Ref<NSNumber> numberWithDouble(double v);

    Kind kind() const { return kind_; }
    bool boolValue() const;
    // Truncates toward zero from a real, keeps the low 32 bits of a wide integer, as a C cast does.
    int intValue() const;
    long long longLongValue() const;
    double doubleValue() const;
    bool isEqualToNumber(const NSNumber& other) const;

    std::string description() const override;

private:
    Kind kind_ = Kind::Integer;
    long long integer_ = 0;
    double real_ = 0;
};
