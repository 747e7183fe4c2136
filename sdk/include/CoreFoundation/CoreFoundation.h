#pragma once
// The few CoreFoundation types and calls the product makes on the device.

typedef unsigned char Boolean;
typedef long CFIndex;
typedef const void* CFTypeRef;
typedef const struct __CFAllocator* CFAllocatorRef;
typedef const struct __CFString* CFStringRef;
typedef unsigned int CFStringEncoding;

enum { kCFStringEncodingUTF8 = 0x08000100 };

// A literal the compiler lays out as a constant string object; each one refers to the string class
// CoreFoundation exports (___CFConstantStringClassReference), so no call is made at run time.
#define CFSTR(s) ((CFStringRef)__builtin___CFStringMakeConstantString("" s ""))

extern "C" {
// NULL for the default allocator. The caller releases the result.
CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr, CFStringEncoding encoding);
void CFRelease(CFTypeRef cf);
}
