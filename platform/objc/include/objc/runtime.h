#pragma once
// Class records, selectors and method tables. A class registers when the shared object that
// defines it is loaded, and is then found by name from every library of the process.

#include <array>
#include <atomic>
#include <initializer_list>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>

#include "objc/NSObject.h"

struct objc_selector {
    std::string name;
};

// One entry of a method table. `types` is the implementation's full function type,
// R (*)(id, SEL, Args...), so a message sent with another signature is refused.
struct objc_method {
    SEL name;
    IMP imp;
    const std::type_info* types;
};
using Method = const objc_method*;

namespace objc {
struct MethodSpec;
Class registerClass(const char* name, Class superclass, NSObject* (*factory)(), const void* image,
                    std::initializer_list<MethodSpec> methods);
}  // namespace objc

// Bumped on every method-table change in the process; a class's lookup cache is valid for one epoch.
// Constant-initialised, so it is usable from any library's static initialisers.
extern std::atomic<uint64_t> objc_methodEpoch;

class objc_class {
public:
    using Factory = NSObject* (*)();

    objc_class(std::string name, Class superclass, Factory factory, const void* image);
    objc_class(const objc_class&) = delete;
    objc_class& operator=(const objc_class&) = delete;
    ~objc_class();

    const char* name() const { return name_.c_str(); }
    Class superclass() const { return superclass_; }
    // The class of the class object, whose methods are the class methods; its superclass is the
    // superclass's metaclass. A metaclass has none of its own.
    Class metaclass() const { return metaclass_; }
    bool isMetaclass() const { return metaclassOf_ != nullptr; }
    // The object a message to the class goes to: one per class, for the life of the process.
    id object() const;
    bool isSubclassOf(const objc_class* other) const;
    // An address inside the code of the shared object that defines the class.
    const void* image() const { return image_; }

    // [[cls alloc] init]: nil when the class has no public default initialiser.
    Ref<NSObject> createInstance() const;

    // The method the class itself defines, not one it inherits.
    Method ownMethod(SEL sel) const;
    // The method a message to an instance reaches: own table first, then the ancestors'.
    Method lookup(SEL sel) const {
        const auto epoch = objc_methodEpoch.load(std::memory_order_relaxed);
        const CacheSlot& slot = cache_[slotOf(sel)];
        if (slot.sel == sel && cacheEpoch_ == epoch) [[likely]]
            return slot.method;
        return lookupSlow(sel, epoch);
    }

    // Adds a method the class does not define itself yet; false (and nothing changes) if it does.
    bool addMethod(SEL sel, IMP imp, const std::type_info& types);
    // Swaps the implementation of an own method, returning the one it replaced.
    IMP setImplementation(SEL sel, IMP imp);


private:
    struct CacheSlot {
        SEL sel = nullptr;
        Method method = nullptr;
    };
    static constexpr size_t kCacheSlots = 64;
    static size_t slotOf(SEL sel) { return (reinterpret_cast<uintptr_t>(sel) >> 4) & (kCacheSlots - 1); }
    Method lookupSlow(SEL sel, uint64_t epoch) const;

    friend Class objc::registerClass(const char*, Class, Factory, const void*, std::initializer_list<objc::MethodSpec>);

    std::string name_;
    Class superclass_;
    Factory factory_;
    const void* image_;
    Class metaclass_ = nullptr;     // owned; nil for a metaclass
    Class metaclassOf_ = nullptr;   // for a metaclass, the class it describes
    NSObject* object_ = nullptr;    // for a class, its class object (never released)
    std::unordered_map<SEL, objc_method> methods_;  // node-based: entries keep their address
    mutable std::array<CacheSlot, kCacheSlots> cache_{};
    mutable uint64_t cacheEpoch_ = ~uint64_t{0};
};

// The interned selector of a name: equal names give the same SEL.
SEL sel_registerName(std::string_view name);
const char* sel_getName(SEL sel);
// The loaded class of that name, or nil.
Class objc_getClass(std::string_view name);
const char* class_getName(Class cls);
Class class_getSuperclass(Class cls);
bool class_respondsToSelector(Class cls, SEL sel);
// The class of an object; for a class object, its metaclass. Nil for nil.
Class object_getClass(const NSObject* o);

void* objc_autoreleasePoolPush();
void objc_autoreleasePoolPop(void* token);

// The runtime's own retain and release, as the device exports them; both do nothing for nil.
id objc_retain(id o);
void objc_release(id o);

// Classes are objects on the device. This object stands for one: messages to it find the class
// methods, and it is what a Class travels as where an id is wanted (a row's "cellClass" property).
class ClassObject : public NSObject {
public:
    using super = NSObject;
    static Class class_();
    Class objcClass() const override { return cls_->metaclass(); }

    explicit ClassObject(Class cls) : cls_(cls) {}
    Class cls() const { return cls_; }
    std::string description() const override;

private:
    Class cls_;
};
id objc_classAsObject(Class cls);            // nil for nil
Class objc_objectAsClass(const NSObject* o);  // nil unless `o` stands for a class

// @selector(name), interned once per call site.
#define SELECTOR(name) ([]() -> SEL { static const SEL s = sel_registerName(name); return s; }())

namespace objc {

// Keeps the object alive until the innermost autorelease pool is popped and returns it: the way a
// method hands out a fresh object as a plain `id` result.
id autorelease(id obj);
template <class T>
T* autorelease(const Ref<T>& obj) {
    autorelease(static_cast<id>(obj.get()));
    return obj.get();
}

struct MethodSpec {
    const char* selector;
    IMP imp;
    const std::type_info* types;
    bool classMethod = false;
};

// A method-table entry from a plain function or captureless lambda R (*)(id, SEL, Args...).
template <class R, class... A>
MethodSpec method(const char* selector, R (*fn)(id, SEL, A...)) {
    return {selector, reinterpret_cast<IMP>(fn), &typeid(R (*)(id, SEL, A...))};
}
template <class F>
MethodSpec method(const char* selector, F fn) {
    return method(selector, +fn);
}
// A class method: `self` is the class object (objc_objectAsClass gives the class).
template <class F>
MethodSpec classMethod(const char* selector, F fn) {
    MethodSpec spec = method(selector, fn);
    spec.classMethod = true;
    return spec;
}

// Adds methods to a class that is already registered, from any library, as a category does; a method
// the class (or its metaclass) already defines is kept and reported. False if any was.
bool addMethods(Class cls, std::initializer_list<MethodSpec> methods);

template <class T>
Class defineClass(const char* name, std::initializer_list<MethodSpec> methods) {
    objc_class::Factory factory = nullptr;
    if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
        factory = []() -> NSObject* { return new T(); };
    return registerClass(name, T::super::class_(), factory, reinterpret_cast<const void*>(&T::class_), methods);
}

// Makes a class visible by name as soon as its shared object is loaded.
struct ClassLoader {
    explicit ClassLoader(Class (*classOf)()) { classOf(); }
};

}  // namespace objc

// Methods another library adds to a class it does not define, when that library is loaded.
#define OBJC_CATEGORY(Name, Category, ...)                                                       \
    static const bool Name##Category##Loaded_ = objc::addMethods(Name::class_(), {__VA_ARGS__});

#define OBJC_IMPLEMENTATION(Name, ...)                                                  \
    Class Name::class_() {                                                              \
        static const Class cls = objc::defineClass<Name>(#Name, {__VA_ARGS__});         \
        return cls;                                                                     \
    }                                                                                   \
    static const objc::ClassLoader Name##ClassLoader_{&Name::class_};
