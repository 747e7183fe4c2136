#include <gtest/gtest.h>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "ScratchDevice.h"
#include "UIKit/UIDevice.h"
#include "objc/message.h"

namespace {

constexpr const char* kDeviceFile = "/var/mobile/Library/Preferences/com.apple.device.plist";

void writeDeviceClass(const ScratchDevice& device, const char* deviceClass) {
    device.writePlist(kDeviceFile,
                      NSDictionary::dictionaryWithObjectsAndKeys({{"DeviceClass", NSString::string(deviceClass)}}),
                      plist::Format::XML);
}

}  // namespace

TEST(UIDevice, IdiomFollowsTheDeviceClassOnEveryAsk) {
    ScratchDevice device;
    UIDevice* current = UIDevice::currentDevice();
    ASSERT_EQ(current, UIDevice::currentDevice());
    EXPECT_EQ(current->userInterfaceIdiom(), UIUserInterfaceIdiomPhone) << "no device file";

    writeDeviceClass(device, "iPad");
    EXPECT_EQ(current->userInterfaceIdiom(), UIUserInterfaceIdiomPad);
    EXPECT_EQ(objc_msgSend<NSInteger()>(current, SELECTOR("userInterfaceIdiom")), 1) << "answered by name";

    writeDeviceClass(device, "iPhone");
    EXPECT_EQ(current->userInterfaceIdiom(), UIUserInterfaceIdiomPhone);
    writeDeviceClass(device, "ipad");
    EXPECT_EQ(current->userInterfaceIdiom(), UIUserInterfaceIdiomPhone) << "the class name is exact";

    device.write(kDeviceFile, "<plist>not closed");
    EXPECT_EQ(current->userInterfaceIdiom(), UIUserInterfaceIdiomPhone) << "a corrupt file reads as a phone";
    device.writePlist(kDeviceFile, NSDictionary::dictionaryWithObjectsAndKeys({{"DeviceClass", make<NSDictionary>()}}),
                      plist::Format::Binary);
    EXPECT_EQ(current->userInterfaceIdiom(), UIUserInterfaceIdiomPhone) << "a class that is not text";
}
