#pragma once
// The substrate's method hook, and the typed form the simulated device offers, so one call site
// builds for both.

#include <objc/runtime.h>

extern "C" void MSHookMessageEx(Class cls, SEL sel, IMP hook, IMP* old);

// Replaces the instance method `sel` of `cls` with `hook`; `*old` receives the implementation it
// replaced. The signature is the caller's promise: the device checks nothing.
template <class R, class... A>
inline void MSHookMessageEx(Class cls, SEL sel, R (*hook)(id, SEL, A...), R (**old)(id, SEL, A...)) {
    MSHookMessageEx(cls, sel, reinterpret_cast<IMP>(hook), reinterpret_cast<IMP*>(old));
}
