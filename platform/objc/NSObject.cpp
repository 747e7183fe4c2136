#include "objc/NSObject.h"

#include "objc/runtime.h"

NSObject::~NSObject() = default;

Class NSObject::class_() {
    static const Class cls =
        objc::registerClass("NSObject", nullptr, nullptr, reinterpret_cast<const void*>(&NSObject::class_), {});
    return cls;
}
static const objc::ClassLoader NSObjectClassLoader_{&NSObject::class_};

Class NSObject::objcClass() const { return NSObject::class_(); }

bool NSObject::respondsToSelector(SEL sel) const { return class_respondsToSelector(isa(), sel); }

bool NSObject::isKindOfClass(Class cls) const { return cls && isa()->isSubclassOf(cls); }

const char* NSObject::className() const { return isa()->name(); }

std::string NSObject::description() const { return className(); }
