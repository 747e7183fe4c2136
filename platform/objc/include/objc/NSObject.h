#pragma once
// The root class. Every runtime object is reference counted and knows its class record, so
// messages sent by name find the methods its class (or an ancestor) registered.

#include <cstdint>
#include <string>
#include <typeinfo>

#include "objc/Ref.h"
#include "objc/objc.h"

// Declares the class record accessor of a runtime class. Put it at the top of the class body;
// the matching OBJC_IMPLEMENTATION goes in the one source file of the library that defines the class.
#define OBJC_INTERFACE(Name, Super)                                      \
public:                                                                  \
    using super = Super;                                                 \
    static Class class_();                                               \
    Class objcClass() const override { return Name::class_(); }

class NSObject {
public:
    NSObject(const NSObject&) = delete;
    NSObject& operator=(const NSObject&) = delete;
    virtual ~NSObject();

    static Class class_();
    // The class record of the object's dynamic class; cached after the first ask.
    Class isa() const {
        if (!isa_) isa_ = objcClass();
        return isa_;
    }
    virtual Class objcClass() const;

    void retain() const { ++refs_; }
    void release() const {
        if (--refs_ == 0) delete this;
    }
    uint32_t retainCount() const { return refs_; }

    // Whether the object's class or one of its ancestors has a method for the selector. A class whose
    // optional accessors are C++ virtuals answers for them here too, so both ways of asking agree.
    virtual bool respondsToSelector(SEL sel) const;
    bool isKindOfClass(Class cls) const;
    const char* className() const;
    // What the object shows itself as in logs and reports; the class name unless a class says more.
    virtual std::string description() const;

protected:
    NSObject() = default;

private:
    mutable uint32_t refs_ = 0;
    mutable Class isa_ = nullptr;
};

// Checked downcast: nil when the object is not of that C++ type.
template <class T>
T* objc_cast(const NSObject* o) {
    // The object is most often of exactly that class, which needs no walk of the hierarchy.
    if (o && typeid(*o) == typeid(T)) return static_cast<T*>(const_cast<NSObject*>(o));
    return dynamic_cast<T*>(const_cast<NSObject*>(o));
}
