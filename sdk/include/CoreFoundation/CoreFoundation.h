#pragma once
// The CoreFoundation the product uses on the device: constant strings, for its path and its keys.

typedef const struct __CFString* CFStringRef;

// A literal the compiler lays out as a constant string object; each one refers to the string class
// CoreFoundation exports (___CFConstantStringClassReference), so no call is made at run time.
#define CFSTR(s) ((CFStringRef)__builtin___CFStringMakeConstantString("" s ""))
