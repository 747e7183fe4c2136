#pragma once
// The runtime's basic types and selector calls, as the device's libobjc declares them for arm64.

#include <stddef.h>

typedef struct objc_class* Class;
typedef struct objc_object* id;
typedef struct objc_selector* SEL;
// Strict: an implementation is called only through a cast to its exact type.
typedef void (*IMP)(void);

// arm64 has a real boolean here, not the signed char of 32-bit ARM.
typedef bool BOOL;
#define YES ((BOOL)1)
#define NO ((BOOL)0)
#define nil nullptr

typedef long NSInteger;
typedef unsigned long NSUInteger;

extern "C" {
SEL sel_registerName(const char* name);
const char* sel_getName(SEL sel);
}
