#pragma once
// The second test bundle (Foreign.bundle): its class ForeignTarget, and the bundle that holds it.

#include <dlfcn.h>

#include "Foundation/NSBundle.h"

inline Class foreignTargetClass() {
    static void* code = ::dlopen(FOREIGN_BUNDLE_EXECUTABLE, RTLD_NOW | RTLD_LOCAL);
    return code ? objc_getClass("ForeignTarget") : nullptr;
}

inline NSBundle* foreignBundle() { return NSBundle::bundleForClass(foreignTargetClass()); }
