// Pictures of the Settings app's top page, checked at known places.

#include <gtest/gtest.h>

#include "CoreGraphics/CGImage.h"
#include "SettingsApp.h"

using Pixel = std::array<uint8_t, 4>;

namespace {

Ref<CGImage> rendered(const SettingsDevice& device, const std::string& commands) {
    const std::string file = device.root().path() + "/page.png";
    auto result = device.run(commands + "; render " + file);
    EXPECT_EQ(result.status, 0) << result.err;
    return CGImage::createFromPNG(file);
}

// A pixel at a point of the 320 x 568 point screen, drawn at scale 2.
Pixel at(const Ref<CGImage>& picture, double x, double y) {
    return picture->pixel(static_cast<int>(x * 2), static_cast<int>(y * 2));
}

bool near(Pixel actual, Pixel expected) {
    for (int i = 0; i < 4; ++i)
        if (std::abs(actual[i] - expected[i]) > 6) return false;
    return true;
}

}  // namespace

TEST(PagePicture, TheRootPageShowsItsDarkGreyHeart) {
    SettingsDevice device;
    auto picture = rendered(device, "open Corvane");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 640);
    const Pixel heart = at(picture, 301, 40);
    EXPECT_TRUE(near(heart, {85, 85, 85, 255})) << int(heart[0]) << "," << int(heart[1]) << "," << int(heart[2]);
}

TEST(PagePicture, AFlippedSwitchShowsThePagesOnTint) {
    SettingsDevice device;
    auto off = rendered(device, "open Corvane; tap Settings");
    auto on = rendered(device, "open Corvane; tap Settings; tap Background");
    ASSERT_TRUE(off && on);
    EXPECT_EQ(at(off, 262, 203), (Pixel{255, 255, 255, 255}));
    EXPECT_TRUE(near(at(on, 262, 203), {85, 85, 85, 255})) << "dark grey, the settings page's on tint";
}

TEST(PagePicture, AnUnwritablePictureIsAFailedCommand) {
    SettingsDevice device;
    auto result = device.run("open Corvane; render " + device.root().path() + "/no/such/dir/page.png; show");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot write the picture"), std::string::npos) << result.err;
    EXPECT_EQ(screensOf(result.out).size(), 1u) << "the session went on";
}
