#pragma once
// Typed message send. The signature is spelled at the call site, objc_msgSend<R(Args...)>(obj, sel,
// args...); a method registered with another signature is refused with objc::MessageError rather
// than called through the wrong function type. A message to nil does nothing and returns zero.

#include <stdexcept>
#include <string>
#include <typeinfo>

#include "objc/runtime.h"

namespace objc {

class MessageError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

[[noreturn]] void unrecognizedSelector(const NSObject* receiver, SEL sel);
[[noreturn]] void signatureMismatch(Class cls, SEL sel, const std::type_info& implemented,
                                    const std::type_info& sent);

// The implementation type of a method with the signature R(Args...).
template <class Sig>
struct ImpOf;
template <class R, class... A>
struct ImpOf<R(A...)> {
    using type = R (*)(id, SEL, A...);
};

// Whether a method was registered with the signature R(Args...), for callers that accept several
// shapes (a control's action with or without the sender).
template <class Sig>
bool hasSignature(Method m) {
    using Fn = typename ImpOf<Sig>::type;
    return m && (m->types == &typeid(Fn) || *m->types == typeid(Fn));
}

template <class R, class... A>
R (*checkedImp(Method m, Class cls, SEL sel))(id, SEL, A...) {
    using Fn = R (*)(id, SEL, A...);
    if (!hasSignature<R(A...)>(m)) [[unlikely]]
        signatureMismatch(cls, sel, *m->types, typeid(Fn));
    return reinterpret_cast<Fn>(m->imp);
}

template <class Sig>
struct Msg;

template <class R, class... A>
struct Msg<R(A...)> {
    template <class... T>
    static R send(id self, SEL sel, T&&... args) {
        if (!self) return R();
        const Class cls = self->isa();
        Method m = cls->lookup(sel);
        if (!m) [[unlikely]]
            unrecognizedSelector(self, sel);
        return checkedImp<R, A...>(m, cls, sel)(self, sel, std::forward<T>(args)...);
    }
    // [super sel]: starts the lookup at `cls` instead of the receiver's class.
    template <class... T>
    static R sendFrom(Class cls, id self, SEL sel, T&&... args) {
        if (!self || !cls) return R();
        Method m = cls->lookup(sel);
        if (!m) unrecognizedSelector(self, sel);
        return checkedImp<R, A...>(m, cls, sel)(self, sel, std::forward<T>(args)...);
    }
};

// Sends a target-action message: `action` may take no argument or the sender, as UIKit allows.
// Throws MessageError for any other shape and for a target that does not respond.
void sendAction(id target, SEL action, id sender);

}  // namespace objc

template <class Sig, class... T>
decltype(auto) objc_msgSend(id self, SEL sel, T&&... args) {
    return objc::Msg<Sig>::send(self, sel, std::forward<T>(args)...);
}

template <class Sig, class... T>
decltype(auto) objc_msgSendSuper(Class superclass, id self, SEL sel, T&&... args) {
    return objc::Msg<Sig>::sendFrom(superclass, self, sel, std::forward<T>(args)...);
}
