#pragma once
// The product's one way of talking to the platform, in the shape of Apple's C++ bindings for
// Objective-C: classes and selectors looked up by name once per call site, and typed message sends.
// Built for the device, a send calls the runtime's objc_msgSend through the exact function type the
// method has; on the simulated device it is the stand-in runtime's checked send, so a selector or an
// argument type that the platform does not have fails there loudly instead of misbehaving here.
//
// The argument types of a send are those of the values passed: pass exactly the method's types
// (a double for CGFloat, a long for NSInteger).

#include "objc/message.h"
#include "objc/runtime.h"

namespace bridge {

#if defined(__APPLE__)
template <class R, class... A>
inline R send(id receiver, SEL sel, A... args) {
    return reinterpret_cast<R (*)(id, SEL, A...)>(objc_msgSend)(receiver, sel, args...);
}
template <class R, class... A>
inline R send(Class receiver, SEL sel, A... args) {
    return send<R>(reinterpret_cast<id>(receiver), sel, args...);
}
#else
template <class R, class... A>
inline R send(id receiver, SEL sel, A... args) {
    return objc_msgSend<R(A...)>(receiver, sel, args...);
}
template <class R, class... A>
inline R send(Class receiver, SEL sel, A... args) {
    return objc_msgSend<R(A...)>(objc_classAsObject(receiver), sel, args...);
}
#endif

inline id retain(id object) { return objc_retain(object); }
inline void release(id object) { objc_release(object); }

// Replaces the object a variable holds, keeping one reference to the new one.
inline void assign(id& holder, id object) {
    retain(object);
    release(holder);
    holder = object;
}

// A value looked up once, on first use, and kept: a zero-initialised static needs no guard, and two
// threads racing to fill it store the same value.
template <class T, class Lookup>
inline T once(T& slot, Lookup lookup) {
    T value = __atomic_load_n(&slot, __ATOMIC_ACQUIRE);
    if (!value) {
        value = lookup();
        __atomic_store_n(&slot, value, __ATOMIC_RELEASE);
    }
    return value;
}

}  // namespace bridge

// @selector(name) and the class named `name`, each looked up once per call site.
#define BRIDGE_SEL(name) \
    ([]() -> SEL { static SEL slot; return ::bridge::once(slot, [] { return sel_registerName(name); }); }())
#define BRIDGE_CLASS(name) \
    ([]() -> Class { static Class slot; return ::bridge::once(slot, [] { return objc_getClass(name); }); }())
