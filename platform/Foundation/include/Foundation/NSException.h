#pragma once
// Exceptions as the platform raises them. raise() throws NSExceptionError, a C++ exception that
// carries the NSException, so C++ callers catch it by type and still reach name, reason and userInfo.

#include <exception>
#include <string>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "objc/runtime.h"

inline constexpr const char* NSGenericException = "NSGenericException";
inline constexpr const char* NSInvalidArgumentException = "NSInvalidArgumentException";
inline constexpr const char* NSInternalInconsistencyException = "NSInternalInconsistencyException";
inline constexpr const char* NSRangeException = "NSRangeException";

class NSException : public NSObject {
    OBJC_INTERFACE(NSException, NSObject)

public:
    // alloc/init: no name, no reason, no user info.
    NSException() = default;
    static Ref<NSException> exceptionWithName(NSString* name, NSString* reason, NSDictionary* userInfo = nullptr);

    NSString* name() const { return name_; }
    NSString* reason() const { return reason_; }
    NSDictionary* userInfo() const { return userInfo_; }

    [[noreturn]] void raise();
    // exceptionWithName with a printf-style reason, raised at once.
    [[noreturn]] static void raise(const char* name, const char* format, ...) __attribute__((format(printf, 2, 3)));

    // "name: reason", with "(null)" standing for a missing part.
    std::string description() const override;

private:
    Ref<NSString> name_;
    Ref<NSString> reason_;
    Ref<NSDictionary> userInfo_;
};

class NSExceptionError : public std::exception {
public:
    explicit NSExceptionError(Ref<NSException> exception);
    NSException* exception() const { return exception_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    Ref<NSException> exception_;
    std::string what_;
};
