#include "Foundation/NSException.h"

#include <cstdarg>
#include <cstdio>

OBJC_IMPLEMENTATION(NSException)

Ref<NSException> NSException::exceptionWithName(NSString* name, NSString* reason, NSDictionary* userInfo) {
    auto exception = make<NSException>();
    exception->name_ = name;
    exception->reason_ = reason;
    exception->userInfo_ = userInfo;
    return exception;
}

void NSException::raise() { throw NSExceptionError(Ref<NSException>(this)); }

void NSException::raise(const char* name, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list size;
    va_copy(size, args);
    const int length = std::vsnprintf(nullptr, 0, format, size);
    va_end(size);
    std::string reason(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(reason.data(), reason.size() + 1, format, args);
    va_end(args);
    exceptionWithName(name ? NSString::string(name).get() : nullptr, NSString::string(reason))->raise();
}

std::string NSException::description() const {
    return (name_ ? name_->str() : "(null)") + ": " + (reason_ ? reason_->str() : "(null)");
}

NSExceptionError::NSExceptionError(Ref<NSException> exception)
    : exception_(std::move(exception)), what_(exception_ ? exception_->description() : "(null): (null)") {}
