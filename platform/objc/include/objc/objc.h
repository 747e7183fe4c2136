#pragma once
// Basic runtime types, named as on the device.

#include <cstddef>
#include <cstdint>

class NSObject;
class objc_class;
struct objc_selector;

using id = NSObject*;
using Class = objc_class*;
using SEL = const objc_selector*;
using IMP = void (*)();
using BOOL = bool;
using NSInteger = long;
using NSUInteger = unsigned long;

inline constexpr BOOL YES = true;
inline constexpr BOOL NO = false;
inline constexpr std::nullptr_t nil = nullptr;
