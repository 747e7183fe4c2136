#pragma once
// The CoreFoundation names the product spells. CF types are the Foundation objects they are
// toll-free bridged with: a CFStringRef is an NSString, a CFDictionaryRef an NSDictionary.

#include <string_view>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"

using Boolean = unsigned char;
using CFIndex = long;
using CFStringRef = const NSString*;
using CFDictionaryRef = const NSDictionary*;
using CFTypeRef = const NSObject*;
using CFAllocatorRef = const void*;  // only the default allocator, NULL, is ever passed
using CFStringEncoding = unsigned int;
inline constexpr CFStringEncoding kCFStringEncodingUTF8 = 0x08000100;

// Gives up the reference a Create or Copy function handed out.
void CFRelease(CFTypeRef object);

// A new string of the C string's text (UTF-8 only); the caller releases it.
CFStringRef CFStringCreateWithCString(CFAllocatorRef allocator, const char* text, CFStringEncoding encoding);

// The interned string of a literal: one object per distinct text for the life of the process, so
// CFSTR("a") == CFSTR("a") wherever it is written.
CFStringRef CFStringMakeConstantString(std::string_view text);

// URL escapes as the device makes them: every byte of the text's UTF-8 that a URL may not hold
// (space, " % < > [ \ ] ^ ` { | }, controls, DEL, non-ASCII) becomes %XX, except those listed in
// `charactersToLeaveUnescaped`, and so do the characters a URL may hold listed in
// `legalURLCharactersToBeEscaped` ("&=+#" for a query value). The caller releases the result.
CFStringRef CFURLCreateStringByAddingPercentEscapes(CFAllocatorRef allocator, CFStringRef originalString,
                                                    CFStringRef charactersToLeaveUnescaped,
                                                    CFStringRef legalURLCharactersToBeEscaped, CFStringEncoding encoding);

#define CFSTR(text) ([]() -> CFStringRef { static const CFStringRef s = CFStringMakeConstantString(text); return s; }())
