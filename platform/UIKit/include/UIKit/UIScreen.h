#pragma once
// The iPhone 5 screen: 320 x 568 points at scale 2.

#include "CoreGraphics/CGGeometry.h"
#include "objc/runtime.h"

class UIScreen : public NSObject {
    OBJC_INTERFACE(UIScreen, NSObject)

public:
    UIScreen() = default;
    static UIScreen* mainScreen();
    CGRect bounds() const { return CGRectMake(0, 0, 320, 568); }
    CGFloat scale() const { return 2; }
};
