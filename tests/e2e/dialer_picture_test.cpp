// Pictures of the dialer, checked at known places: what a person would look at.

#include <gtest/gtest.h>

#include "CoreGraphics/CGImage.h"
#include "DeviceRoot.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"

using testing_support::Built;
using testing_support::DeviceRoot;
using Pixel = std::array<uint8_t, 4>;

namespace {

class DialerPicture : public ::testing::Test {
protected:
    void SetUp() override { device.installHookLibrary(); }

    Ref<CGImage> render(std::initializer_list<std::pair<std::string, Ref<NSObject>>> prefs) {
        if (prefs.size()) device.writePreferences(NSDictionary::dictionaryWithObjectsAndKeys(prefs));
        const std::string file = device.path() + "/dialer.png";
        auto result = testing_support::run({Built::mobilePhone(), "--root", device.path(), "--render", file});
        EXPECT_EQ(result.status, 0) << result.err;
        return CGImage::createFromPNG(file);
    }
    // A pixel at a point of the 320 x 568 point screen, drawn at scale 2.
    static Pixel at(const Ref<CGImage>& picture, double x, double y) {
        return picture->pixel(static_cast<int>(x * 2), static_cast<int>(y * 2));
    }
    DeviceRoot device;
};

Ref<NSObject> yes() { return NSNumber::numberWithBool(true); }

constexpr Pixel kBarGrey{248, 248, 248, 255};

}  // namespace

TEST_F(DialerPicture, TheDefaultLookHasAClearNumberDisplayAndAGreenCallButton) {
    auto picture = render({});
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 640);
    EXPECT_EQ(picture->height(), 1136);
    EXPECT_EQ(at(picture, 10, 60), (Pixel{28, 28, 30, 255})) << "the dark window shows through the number display";
    EXPECT_EQ(at(picture, 160, 490), (Pixel{0, 255, 0, 255}));
    EXPECT_EQ(at(picture, 224, 535), (Pixel{0, 122, 255, 255})) << "the selected Keypad tab, in the tint";
    EXPECT_EQ(at(picture, 296, 535), (Pixel{146, 146, 146, 255})) << "Voicemail, the fifth tab, in its normal grey";
    EXPECT_EQ(at(picture, 160, 512), (Pixel{28, 28, 30, 255})) << "the call button stands clear of the tab bar";
}

TEST_F(DialerPicture, TheStockGreenCallButtonCarriesAWhiteLabelInItsMiddle) {
    auto picture = render({{"enabled", NSNumber::numberWithBool(false)}});
    ASSERT_TRUE(picture);
    EXPECT_EQ(at(picture, 160, 490), (Pixel{76, 217, 100, 255}));
    int white = 0;
    for (double x = 145; x < 175; x += 0.5)
        for (double y = 468; y < 480; y += 0.5) white += at(picture, x, y) == Pixel{255, 255, 255, 255};
    EXPECT_GT(white, 40) << "a white 'Call' label";
}

TEST_F(DialerPicture, SettingsRepaintTheCallButtonHideVoicemailAndKeepTheDisplay) {
    auto picture = render({{"kLCD", yes()}, {"enabled", yes()}, {"call", NSNumber::numberWithInteger(13)},
                           {"kVoice", yes()}, {"tab", yes()}});
    ASSERT_TRUE(picture);
    EXPECT_EQ(at(picture, 10, 60), (Pixel{255, 255, 255, 255})) << "the number display keeps its own white";
    EXPECT_EQ(at(picture, 160, 490), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(at(picture, 296, 535), kBarGrey) << "four tabs: nothing where Voicemail was";
    EXPECT_EQ(at(picture, 280, 535), (Pixel{0, 0, 0, 255})) << "the fourth tab, the selected Keypad, tinted black";
    EXPECT_EQ(at(picture, 40, 535), (Pixel{0, 0, 0, 255})) << "and the first, in its normal state, too";
}

TEST_F(DialerPicture, AnUnwritablePictureFailsWithAMessageAndLeavesNothing) {
    auto result = testing_support::run(
        {Built::mobilePhone(), "--root", device.path(), "--render", device.path() + "/missing/dir/dialer.png"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot write the picture"), std::string::npos);
    EXPECT_FALSE(device.exists("/missing"));
}
