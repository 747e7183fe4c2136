#include "objc/runtime.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "RuntimeTaps.h"
#include "objc/message.h"

namespace {

// Function-local statics: registration runs from other libraries' static initialisers.
struct Registry {
    std::mutex lock;
    std::unordered_map<std::string, std::unique_ptr<objc_class>> classes;
    std::unordered_map<std::string, std::unique_ptr<objc_selector>> selectors;
};

Registry& registry() {
    static Registry* r = new Registry;  // never destroyed: class records outlive every object
    return *r;
}

std::string demangle(const std::type_info& t) {
    int status = 0;
    char* name = abi::__cxa_demangle(t.name(), nullptr, nullptr, &status);
    std::string out = status == 0 && name ? name : t.name();
    std::free(name);
    return out;
}

std::vector<Ref<NSObject>>& autoreleaseStack() {
    static thread_local std::vector<Ref<NSObject>> stack;
    return stack;
}

}  // namespace

objc_class::objc_class(std::string name, Class superclass, Factory factory, const void* image)
    : name_(std::move(name)), superclass_(superclass), factory_(factory), image_(image) {}

objc_class::~objc_class() { delete metaclass_; }

id objc_class::object() const { return isMetaclass() ? metaclassOf_->object_ : object_; }

bool objc_class::isSubclassOf(const objc_class* other) const {
    for (const objc_class* c = this; c; c = c->superclass_)
        if (c == other) return true;
    return false;
}

Ref<NSObject> objc_class::createInstance() const { return factory_ ? Ref<NSObject>(factory_()) : nullptr; }

Method objc_class::ownMethod(SEL sel) const {
    auto it = methods_.find(sel);
    return it == methods_.end() ? nullptr : &it->second;
}

Method objc_class::lookupSlow(SEL sel, uint64_t epoch) const {
    if (cacheEpoch_ != epoch) {
        cache_.fill({});
        cacheEpoch_ = epoch;
    }
    for (const objc_class* c = this; c; c = c->superclass_) {
        if (Method m = c->ownMethod(sel)) {
            cache_[slotOf(sel)] = {sel, m};
            return m;
        }
    }
    return nullptr;
}

std::atomic<uint64_t> objc_methodEpoch{0};

bool objc_class::addMethod(SEL sel, IMP imp, const std::type_info& types) {
    if (methods_.count(sel)) return false;
    methods_.emplace(sel, objc_method{sel, imp, &types});
    objc_methodEpoch.fetch_add(1, std::memory_order_acq_rel);
    return true;
}

IMP objc_class::setImplementation(SEL sel, IMP imp) {
    auto it = methods_.find(sel);
    if (it == methods_.end()) return nullptr;
    IMP old = it->second.imp;
    it->second.imp = imp;
    objc_methodEpoch.fetch_add(1, std::memory_order_acq_rel);
    return old;
}

SEL sel_registerName(std::string_view name) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto& slot = r.selectors[std::string(name)];
    if (!slot) slot = std::make_unique<objc_selector>(objc_selector{std::string(name)});
    return slot.get();
}

const char* sel_getName(SEL sel) { return sel ? sel->name.c_str() : "<null selector>"; }

Class objc_getClass(std::string_view name) {
    Class found = nullptr;
    {
        Registry& r = registry();
        std::lock_guard guard(r.lock);
        auto it = r.classes.find(std::string(name));
        if (it != r.classes.end()) found = it->second.get();
    }
    if (objc::runtimeTapped())
        objc::reportRuntimeCall({objc::RuntimeCall::ClassLookup, std::string(name), found, nullptr});
    return found;
}

const char* class_getName(Class cls) { return cls ? cls->name() : "nil"; }
Class class_getSuperclass(Class cls) { return cls ? cls->superclass() : nullptr; }
bool class_respondsToSelector(Class cls, SEL sel) { return cls && sel && cls->lookup(sel); }
Class object_getClass(const NSObject* o) { return o ? o->isa() : nullptr; }

id objc_retain(id o) {
    if (o) o->retain();
    return o;
}

void objc_release(id o) {
    if (o) o->release();
}

namespace objc {

Class registerClass(const char* name, Class superclass, objc_class::Factory factory, const void* image,
                    std::initializer_list<MethodSpec> methods) {
    Registry& r = registry();
    std::unique_lock guard(r.lock);
    auto& slot = r.classes[name];
    if (slot) {
        // As on the device: the first definition loaded wins; a second one is reported, not used.
        std::fprintf(stderr, "objc: class %s is implemented twice; using the first\n", name);
        return slot.get();
    }
    slot = std::make_unique<objc_class>(name, superclass, factory, image);
    Class cls = slot.get();
    cls->metaclass_ = new objc_class(name, superclass ? superclass->metaclass() : nullptr, nullptr, image);
    cls->metaclass_->metaclassOf_ = cls;
    cls->object_ = new ClassObject(cls);
    cls->object_->retain();
    guard.unlock();
    for (const MethodSpec& m : methods)
        (m.classMethod ? cls->metaclass_ : cls)->addMethod(sel_registerName(m.selector), m.imp, *m.types);
    return cls;
}

bool addMethods(Class cls, std::initializer_list<MethodSpec> methods) {
    bool all = true;
    for (const MethodSpec& m : methods) {
        Class target = m.classMethod ? cls->metaclass() : cls;
        if (target->addMethod(sel_registerName(m.selector), m.imp, *m.types)) continue;
        std::fprintf(stderr, "objc: %c[%s %s] is defined already; keeping it\n", m.classMethod ? '+' : '-',
                     cls->name(), m.selector);
        all = false;
    }
    return all;
}

id autorelease(id obj) {
    // Outside any pool the object joins the thread's outermost level, released when the thread
    // ends: hosts wrap their work in pools, and a stray caller keeps a valid result.
    if (obj) autoreleaseStack().emplace_back(obj);
    return obj;
}

void sendAction(id target, SEL action, id sender) {
    if (!target || !action) return;
    Method m = target->isa()->lookup(action);
    if (!m) unrecognizedSelector(target, action);
    if (hasSignature<void()>(m)) return objc_msgSend<void()>(target, action);
    if (hasSignature<void(id)>(m)) return objc_msgSend<void(id)>(target, action, sender);
    throw MessageError(std::string("-[") + target->className() + " " + sel_getName(action) +
                       "]: an action takes no argument or the sender, not " + demangle(*m->types));
}

void unrecognizedSelector(const NSObject* receiver, SEL sel) {
    const bool toClass = receiver->isa()->isMetaclass();
    throw MessageError(std::string(toClass ? "+[" : "-[") + receiver->className() + " " + sel_getName(sel) +
                       "]: unrecognized selector sent to " + (toClass ? "class" : "instance"));
}

void signatureMismatch(Class cls, SEL sel, const std::type_info& implemented, const std::type_info& sent) {
    throw MessageError(std::string("-[") + class_getName(cls) + " " + sel_getName(sel) + "]: sent as " +
                       demangle(sent) + " but implemented as " + demangle(implemented));
}

}  // namespace objc

OBJC_IMPLEMENTATION(ClassObject)

std::string ClassObject::description() const { return class_getName(cls_); }

id objc_classAsObject(Class cls) { return cls ? cls->object() : nullptr; }

Class objc_objectAsClass(const NSObject* o) {
    auto* boxed = objc_cast<ClassObject>(o);
    return boxed ? boxed->cls() : nullptr;
}

void* objc_autoreleasePoolPush() {
    void* token = reinterpret_cast<void*>(autoreleaseStack().size() + 1);
    if (objc::runtimeTapped()) objc::reportRuntimeCall({objc::RuntimeCall::PoolPush, {}, nullptr, token});
    return token;
}

void objc_autoreleasePoolPop(void* token) {
    const size_t mark = reinterpret_cast<size_t>(token) - 1;
    auto& stack = autoreleaseStack();
    // Released newest first; an object released here may autorelease others, hence the loop.
    while (stack.size() > mark) {
        Ref<NSObject> last = std::move(stack.back());
        stack.pop_back();
    }
    if (objc::runtimeTapped()) objc::reportRuntimeCall({objc::RuntimeCall::PoolPop, {}, nullptr, token});
}
