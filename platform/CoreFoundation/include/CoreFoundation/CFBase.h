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

// The interned string of a literal: one object per distinct text for the life of the process, so
// CFSTR("a") == CFSTR("a") wherever it is written.
CFStringRef CFStringMakeConstantString(std::string_view text);

#define CFSTR(text) ([]() -> CFStringRef { static const CFStringRef s = CFStringMakeConstantString(text); return s; }())
