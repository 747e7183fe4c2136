#include "Counter.h"

OBJC_IMPLEMENTATION(Counter, objc::method("next", [](id self, SEL) -> int { return static_cast<Counter*>(self)->next(); }))

int Counter::next() { return ++count_; }
