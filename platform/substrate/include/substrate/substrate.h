#pragma once
// The substrate library: method hooking for tweaks, and the loader that injects tweak libraries into
// a process at start.

#include <string>
#include <typeinfo>
#include <vector>

#include "objc/message.h"

namespace substrate {

// A replacement for a method the class only inherits is added to the class itself; the slot then gets
// a trampoline that calls the superclass's implementation, looked up at each call so a later hook on
// the superclass is honoured. Trampolines are per signature; each remembers its owning class.
template <class R, class... A>
struct SuperTrampolines {
    static constexpr int kSlots = 32;
    static inline Class owners[kSlots] = {};

    template <int N>
    static R call(id self, SEL cmd, A... args) {
        return objc_msgSendSuper<R(A...)>(owners[N]->superclass(), self, cmd, args...);
    }

    template <int... N>
    static IMP table(int i, std::integer_sequence<int, N...>) {
        static constexpr R (*fns[])(id, SEL, A...) = {&call<N>...};
        return reinterpret_cast<IMP>(fns[i]);
    }

    // A trampoline calling up from `owner`; nil when every slot of this signature is taken.
    static IMP make(Class owner) {
        for (int i = 0; i < kSlots; ++i) {
            if (owners[i] == owner) return table(i, std::make_integer_sequence<int, kSlots>{});
            if (!owners[i]) {
                owners[i] = owner;
                return table(i, std::make_integer_sequence<int, kSlots>{});
            }
        }
        return nullptr;
    }
};

// Untyped core; `makeTrampoline` builds the inherited-method trampoline for the hook's signature.
bool hookMessage(Class cls, SEL sel, IMP replacement, const std::type_info& types, IMP* old,
                 IMP (*makeTrampoline)(Class owner));

// The tweak loader: for each X.dylib in /Library/MobileSubstrate/DynamicLibraries/ (device path), in
// case-insensitive alphabetical order, reads the filter X.plist and dlopens the library when the filter
// matches this process. Returns the file names loaded, in order.
std::vector<std::string> loadTweaks(const std::string& bundleIdentifier, const std::string& executableName);

// The CoreFoundation version this simulated system reports to filters (iOS 7.0).
inline constexpr double kCoreFoundationVersion = 847.20;

}  // namespace substrate

// Replaces the instance method `sel` of `cls` with `hook`, storing the implementation it replaced in
// `*old`. A nil class, a selector no class in the chain has, or a hook whose signature differs from the
// method's installs nothing, leaves `*old` as it was and logs one line.
template <class R, class... A>
void MSHookMessageEx(Class cls, SEL sel, R (*hook)(id, SEL, A...), R (**old)(id, SEL, A...)) {
    IMP previous = nullptr;
    if (substrate::hookMessage(cls, sel, reinterpret_cast<IMP>(hook), typeid(R (*)(id, SEL, A...)), &previous,
                               &substrate::SuperTrampolines<R, A...>::make) &&
        old)
        *old = reinterpret_cast<R (*)(id, SEL, A...)>(previous);
}
