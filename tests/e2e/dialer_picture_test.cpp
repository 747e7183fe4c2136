// Pictures of the dialer, checked at known places: what a person would look at.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "CoreGraphics/CGGeometry.h"
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
    // How many pixels of a rectangle of points are exactly `colour`.
    static int count(const Ref<CGImage>& picture, CGRect area, Pixel colour) {
        int n = 0;
        for (int x = area.origin.x * 2; x < CGRectGetMaxX(area) * 2; ++x)
            for (int y = area.origin.y * 2; y < CGRectGetMaxY(area) * 2; ++y) n += picture->pixel(x, y) == colour;
        return n;
    }
    DeviceRoot device;
};

Ref<NSObject> yes() { return NSNumber::numberWithBool(true); }

constexpr Pixel kBarGrey{248, 248, 248, 255}, kWhite{255, 255, 255, 255}, kBlack{0, 0, 0, 255};
constexpr CGRect kNumber{{20, 45}, {280, 50}}, kCallButtonMiddle{{145, 468}, {30, 12}};

}  // namespace

TEST_F(DialerPicture, TheDefaultLookHasAClearNumberDisplayAndAGreenCallButton) {
    auto picture = render({});
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 640);
    EXPECT_EQ(picture->height(), 1136);
    EXPECT_EQ(at(picture, 10, 60), (Pixel{28, 28, 30, 255})) << "the dark window shows through the number display";
    EXPECT_EQ(at(picture, 160, 490), (Pixel{0, 255, 0, 255}));
    EXPECT_EQ(at(picture, 224, 531.75), (Pixel{0, 122, 255, 255})) << "a dot of the selected Keypad tab, in the tint";
    EXPECT_EQ(at(picture, 296, 535), (Pixel{146, 146, 146, 255})) << "Voicemail, the fifth tab, in its normal grey";
    EXPECT_EQ(at(picture, 160, 512), (Pixel{28, 28, 30, 255})) << "the call button stands clear of the tab bar";
    EXPECT_GT(count(picture, CGRectMake(233, 465, 28, 19), kWhite), 20)
        << "the delete key beside the call button, since a number is typed";
    EXPECT_GT(count(picture, kNumber, kWhite), 200) << "the number, white on the dark display";
}

TEST_F(DialerPicture, TheStockGreenCallButtonCarriesAWhiteHandsetInItsMiddle) {
    auto picture = render({{"enabled", NSNumber::numberWithBool(false)}});
    ASSERT_TRUE(picture);
    EXPECT_EQ(at(picture, 160, 490), (Pixel{76, 217, 100, 255}));
    EXPECT_GT(count(picture, kCallButtonMiddle, kWhite), 40) << "a white handset";
}

TEST_F(DialerPicture, OnALightCallButtonTheHandsetIsBlack) {
    auto picture = render({{"enabled", yes()}, {"call", NSNumber::numberWithInteger(15)}});
    ASSERT_TRUE(picture);
    EXPECT_EQ(at(picture, 160, 490), (Pixel{255, 255, 0, 255})) << "yellow";
    EXPECT_GT(count(picture, kCallButtonMiddle, kBlack), 40);
    EXPECT_EQ(count(picture, kCallButtonMiddle, kWhite), 0);
}

TEST_F(DialerPicture, ATranslucentDialerShowsTheWallpaperBlurredWithoutAnEdge) {
    auto picture = render({{"Blur", yes()}});
    ASSERT_TRUE(picture);
    // Down the left margin, clear of the keys, from under the status bar to the tab bar.
    int steepest = 0;
    for (int y = 41; y < 1036; ++y) {
        const Pixel above = picture->pixel(10, y - 1), here = picture->pixel(10, y);
        for (int c = 0; c < 3; ++c) steepest = std::max(steepest, std::abs(above[c] - here[c]));
    }
    EXPECT_LE(steepest, 1) << "no row stands out from the one above it";
    EXPECT_NE(picture->pixel(10, 41), picture->pixel(10, 1035)) << "lighter at the top than at the bottom";
    EXPECT_EQ(at(picture, 224, 531.75), (Pixel{0, 122, 255, 255})) << "the wallpaper behind the app dims none of its tints";
}

TEST_F(DialerPicture, SettingsRepaintTheCallButtonHideVoicemailAndKeepTheDisplay) {
    auto picture = render({{"kLCD", yes()}, {"enabled", yes()}, {"call", NSNumber::numberWithInteger(13)},
                           {"kVoice", yes()}, {"tab", yes()}});
    ASSERT_TRUE(picture);
    EXPECT_EQ(at(picture, 10, 60), kWhite) << "the number display keeps its own white";
    EXPECT_GT(count(picture, kNumber, kBlack), 200) << "and its number turns black";
    EXPECT_EQ(at(picture, 160, 490), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(at(picture, 296, 535), kBarGrey) << "four tabs: nothing where Voicemail was";
    EXPECT_EQ(at(picture, 280, 531.75), (Pixel{0, 0, 0, 255})) << "the fourth tab, the selected Keypad, tinted black";
    EXPECT_EQ(at(picture, 34, 531.5), (Pixel{0, 0, 0, 255})) << "and the first's star, in its normal state, too";
}

TEST_F(DialerPicture, AnUnwritablePictureFailsWithAMessageAndLeavesNothing) {
    auto result = testing_support::run(
        {Built::mobilePhone(), "--root", device.path(), "--render", device.path() + "/missing/dir/dialer.png"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot write the picture"), std::string::npos);
    EXPECT_FALSE(device.exists("/missing"));
}
