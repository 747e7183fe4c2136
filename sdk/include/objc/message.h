#pragma once
// The message send. Strict prototype: every caller casts it to the method's exact function type, since
// on arm64 a variadic call passes arguments differently from a fixed one.

#include <objc/objc.h>

extern "C" void objc_msgSend(void);
