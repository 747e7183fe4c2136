#pragma once
// Watching the runtime from outside: every class lookup by name and every autorelease pool push and
// pop is reported to the taps, so a test can see what a library's initialiser asked of the runtime.

#include <cstddef>
#include <functional>
#include <string>

#include "objc/objc.h"

namespace objc {

enum class RuntimeCall { ClassLookup, PoolPush, PoolPop };

struct RuntimeCallRecord {
    RuntimeCall call = RuntimeCall::ClassLookup;
    std::string name;       // ClassLookup: the name asked for
    Class found = nullptr;  // ClassLookup: the class it gave, nil when none is loaded
    void* pool = nullptr;   // PoolPush: the token handed out; PoolPop: the token handed back
};

using RuntimeTap = std::function<void(const RuntimeCallRecord&)>;
using RuntimeTapToken = size_t;

// Taps run on the calling thread, after the call did its work and holding no lock of the runtime.
RuntimeTapToken addRuntimeTap(RuntimeTap tap);
void removeRuntimeTap(RuntimeTapToken token);

}  // namespace objc
