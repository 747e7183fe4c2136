#pragma once
// The event a touch belongs to. Touches carry no details here, so it is only passed along.

#include "objc/runtime.h"

class UIEvent : public NSObject {
    OBJC_INTERFACE(UIEvent, NSObject)

public:
    UIEvent() = default;
};
