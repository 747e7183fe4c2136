// Pictures of the Settings app's top page, checked at known places.

#include <gtest/gtest.h>

#include "CoreGraphics/CGImage.h"
#include "SettingsApp.h"

using Pixel = std::array<uint8_t, 4>;

namespace {

class PagePicture : public ::testing::Test {
protected:
    // The picture after the commands; a failed render fails the test and reads as blank.
    Ref<CGImage> rendered(const std::string& commands) {
        const std::string file = device.root().path() + "/page.png";
        auto result = device.run(commands + "; render " + file);
        EXPECT_EQ(result.status, 0) << result.err;
        Ref<CGImage> picture = CGImage::createFromPNG(file);
        EXPECT_TRUE(picture) << commands;
        return picture ? picture : CGImage::create(1, 1);
    }
    SettingsDevice device;
};

// A pixel at a point of the page, drawn at scale 2.
Pixel at(const Ref<CGImage>& picture, double x, double y) {
    return picture->pixel(static_cast<int>(x * 2), static_cast<int>(y * 2));
}

bool near(Pixel actual, Pixel expected) {
    for (int i = 0; i < 4; ++i)
        if (std::abs(actual[i] - expected[i]) > 6) return false;
    return true;
}

// How many pixels of the point rect (x, y, w, h) are near `colour`.
int pixelsNear(const Ref<CGImage>& picture, double x, double y, double w, double h, Pixel colour) {
    int found = 0;
    for (int py = static_cast<int>(y * 2); py < static_cast<int>((y + h) * 2); ++py)
        for (int px = static_cast<int>(x * 2); px < static_cast<int>((x + w) * 2); ++px) found += near(picture->pixel(px, py), colour);
    return found;
}

constexpr Pixel kDarkGrey{85, 85, 85, 255};  // the pane's bar and switch tint
constexpr Pixel kChevronGrey{199, 199, 204, 255};
constexpr Pixel kBarGrey{247, 247, 247, 255};

}  // namespace

TEST_F(PagePicture, TheRootPageShowsItsDarkGreyHeart) {
    auto picture = rendered("open Corvane");
    EXPECT_EQ(picture->width(), 640);
    const Pixel heart = at(picture, 301, 40);
    EXPECT_TRUE(near(heart, {85, 85, 85, 255})) << int(heart[0]) << "," << int(heart[1]) << "," << int(heart[2]);
}

TEST_F(PagePicture, AFlippedSwitchShowsThePagesOnTint) {
    auto off = rendered("open Corvane; tap Settings");
    auto on = rendered("open Corvane; tap Settings; tap Background");
    EXPECT_EQ(at(off, 262, 216), (Pixel{255, 255, 255, 255}));
    EXPECT_TRUE(near(at(on, 262, 216), kDarkGrey)) << "dark grey, the settings page's on tint";
}

TEST_F(PagePicture, AnUnwritablePictureIsAFailedCommand) {
    auto result = device.run("open Corvane; render " + device.root().path() + "/no/such/dir/page.png; show");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot write the picture"), std::string::npos) << result.err;
    EXPECT_EQ(screensOf(result.out).size(), 1u) << "the session went on";
}

TEST_F(PagePicture, TheWholeSettingsPageIsDrawnDownToItsLastRow) {
    auto off = rendered("open Corvane; tap Settings");
    auto on = rendered("open Corvane; tap Settings; tap Hide Voicemail Tab");
    EXPECT_EQ(off->width(), 640);
    EXPECT_GT(off->height(), 1136) << "taller than the screen";
    // The last row's switch, 777 points down: white while off, the pane's tint once on.
    EXPECT_EQ(at(off, 262, 777), (Pixel{255, 255, 255, 255}));
    EXPECT_TRUE(near(at(on, 262, 777), kDarkGrey));
    EXPECT_EQ(on->height(), off->height());
}

TEST_F(PagePicture, APushedPageHasABackButtonInTheBarTint) {
    auto root = rendered("show");
    auto pushed = rendered("open Corvane; tap Settings");
    EXPECT_EQ(pixelsNear(root, 0, 24, 80, 36, kDarkGrey), 0) << "the Settings list has no back button";
    EXPECT_GT(pixelsNear(pushed, 6, 30, 16, 24, kDarkGrey), 20) << "the back chevron";
    EXPECT_GT(pixelsNear(pushed, 26, 30, 50, 24, kDarkGrey), 40) << "the covered page's title, 'Back'";
}

TEST_F(PagePicture, RowsThatOpenAPageEndInAGreyChevron) {
    auto picture = rendered("open Corvane");
    EXPECT_GT(pixelsNear(picture, 296, 208, 10, 16, kChevronGrey), 10) << "the Settings row";
    EXPECT_EQ(pixelsNear(picture, 200, 196, 90, 40, kChevronGrey), 0) << "nothing but the chevron in the row's right part";
}

TEST_F(PagePicture, TheHeartStandsAtTheRightEdgeAndASheetHidesTheBarTitle) {
    auto page = rendered("open Corvane");
    auto shared = rendered("open Corvane; heart");
    EXPECT_GT(pixelsNear(page, 316, 30, 4, 24, kDarkGrey), 10) << "the -16 point spacer moves the heart to the edge";
    // Under the share sheet's dimming the bar shows no title between the back button and the heart.
    const Pixel dimmed = at(shared, 160, 24);
    EXPECT_EQ(pixelsNear(shared, 110, 24, 100, 36, dimmed), 200 * 72) << "no centred title";
    EXPECT_GT(pixelsNear(shared, 8, 74, 304, 206, {250, 250, 250, 255}), 20000) << "the sheet's card";
}

TEST_F(PagePicture, ALongLabelEndsBeforeTheValueItSharesItsRowWith) {
    const std::string table = "/Library/PreferenceBundles/Corvane.bundle/fr.lproj/Localizable.strings";
    device.root().writeFile(table, R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>Background Colour</key><string>Couleur de l'arrière-plan de la barre</string>
<key>Clear</key><string>Transparente</string>
</dict></plist>)");
    device.setLanguages({"fr"});
    auto picture = rendered("open Corvane; tap Settings");
    // The status bar's background colour row, 469 to 513 points down: the label's black ink must
    // end left of the value's grey ink.
    int labelEnd = -1, valueStart = 1 << 20;
    for (int px = 30; px < 580; ++px)
        for (int py = 960; py < 1006; ++py) {
            const Pixel p = picture->pixel(px, py);
            if (p[0] < 60) labelEnd = std::max(labelEnd, px);
            if (near(p, {142, 142, 147, 255}) && p[2] > p[0] + 3) valueStart = std::min(valueStart, px);
        }
    EXPECT_GT(labelEnd, 300) << "the label is drawn";
    EXPECT_LT(valueStart, 580) << "the value is drawn";
    EXPECT_LT(labelEnd + 8, valueStart) << "label and value apart";
}
