#include "UIKit/UIDevice.h"

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"

OBJC_IMPLEMENTATION(UIDevice, objc::method("userInterfaceIdiom", [](id self, SEL) -> NSInteger {
    return static_cast<UIDevice*>(self)->userInterfaceIdiom();
}))

UIDevice* UIDevice::currentDevice() {
    static UIDevice* device = make<UIDevice>().leak();
    return device;
}

UIUserInterfaceIdiom UIDevice::userInterfaceIdiom() const {
    auto config = NSDictionary::dictionaryWithContentsOfFile("/var/mobile/Library/Preferences/com.apple.device.plist");
    auto* deviceClass = config ? objc_cast<NSString>(config->objectForKey("DeviceClass")) : nullptr;
    return deviceClass && deviceClass->str() == "iPad" ? UIUserInterfaceIdiomPad : UIUserInterfaceIdiomPhone;
}
