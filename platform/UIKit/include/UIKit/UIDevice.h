#pragma once
// The device: a phone unless the device's configuration says it is a tablet.

#include "objc/runtime.h"

enum UIUserInterfaceIdiom : NSInteger { UIUserInterfaceIdiomPhone = 0, UIUserInterfaceIdiomPad = 1 };

class UIDevice : public NSObject {
    OBJC_INTERFACE(UIDevice, NSObject)

public:
    UIDevice() = default;
    static UIDevice* currentDevice();
    // Read from the device file "/var/mobile/Library/Preferences/com.apple.device.plist" (key
    // "DeviceClass": "iPad" is a tablet) on every ask, so a test may change the device.
    UIUserInterfaceIdiom userInterfaceIdiom() const;
};
