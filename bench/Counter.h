#pragma once
// A runtime class whose one method is reachable both as a C++ virtual and as a message. Defined in
// its own unit so the compiler cannot see through the virtual call in the benchmark.

#include "objc/runtime.h"

class Counter : public NSObject {
    OBJC_INTERFACE(Counter, NSObject)

public:
    Counter() = default;
    virtual int next();

private:
    int count_ = 0;
};
