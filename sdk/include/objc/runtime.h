#pragma once
// Class lookup, introspection, and the reference and pool calls the runtime exports to compiled code.

#include <objc/objc.h>

extern "C" {
// nil for a class the process has not loaded.
Class objc_getClass(const char* name);
Class object_getClass(id object);
BOOL class_respondsToSelector(Class cls, SEL sel);

id objc_retain(id object);
void objc_release(id object);
void* objc_autoreleasePoolPush(void);
void objc_autoreleasePoolPop(void* pool);
}
