#pragma once
// Watching hook installation from outside: every MSHookMessageEx call is reported to the taps,
// whether or not it installed anything, so a test can see which hooks a library asked for, in order.

#include <cstddef>
#include <functional>
#include <string>

#include "objc/objc.h"

namespace substrate {

struct HookCallRecord {
    Class cls = nullptr;  // as given, nil included
    std::string selector;
    bool installed = false;
};

using HookTap = std::function<void(const HookCallRecord&)>;
using HookTapToken = size_t;

// Taps run on the calling thread, after the call installed its hook or refused to.
HookTapToken addHookTap(HookTap tap);
void removeHookTap(HookTapToken token);

}  // namespace substrate
