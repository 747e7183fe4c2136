// The pictures of the bundle: present at both scales with the sizes the pane lays out, glyphs that
// the pane can tint (a white shape carried by alpha), and opaque, distinct portraits.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PngImage.h"
#include "ResourcePaths.h"

namespace {

struct Expected {
    std::string name;
    int width;  // points
    int height;
};

const std::vector<Expected> kGlyphs = {
    {"heart", 22, 20}, {"settings", 29, 29}, {"makers", 29, 29}, {"support", 29, 29}, {"enabled", 29, 29}};
const std::vector<Expected> kPortraits = {{"brannoc", 65, 65}, {"quillex", 65, 65}, {"pelo", 65, 65}};
const Expected kEntryIcon = {"icon", 29, 29};

std::vector<Expected> everyIcon() {
    std::vector<Expected> all = kGlyphs;
    all.insert(all.end(), kPortraits.begin(), kPortraits.end());
    all.push_back(kEntryIcon);
    return all;
}

PngImage load(const std::string& name, int scale) {
    const std::string suffix = scale == 1 ? "" : "@" + std::to_string(scale) + "x";
    return PngImage::load(resources::bundleDir() + "/" + name + suffix + ".png");
}

int channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

// The share of pixels whose alpha differs noticeably between two pictures of one size.
double alphaDifference(const PngImage& a, const PngImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (std::abs(a.alpha(x, y) - b.alpha(x, y)) > 64) ++differing;
    return static_cast<double>(differing) / (a.width * a.height);
}

TEST(BundleIcons, EveryIconExistsAtOneAndTwoTimesItsPointSize) {
    for (const Expected& icon : everyIcon()) {
        SCOPED_TRACE(icon.name);
        const PngImage one = load(icon.name, 1);
        const PngImage two = load(icon.name, 2);
        ASSERT_TRUE(one.valid());
        ASSERT_TRUE(two.valid());
        EXPECT_EQ(one.width, icon.width);
        EXPECT_EQ(one.height, icon.height);
        EXPECT_EQ(two.width, 2 * one.width);
        EXPECT_EQ(two.height, 2 * one.height);
    }
}

TEST(BundleIcons, GlyphsAreWhiteShapesOnTransparentGround) {
    for (const Expected& icon : kGlyphs) {
        for (int scale : {1, 2}) {
            SCOPED_TRACE(icon.name + " at " + std::to_string(scale) + "x");
            const PngImage image = load(icon.name, scale);
            ASSERT_TRUE(image.valid());
            const int w = image.width, h = image.height;
            for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
                EXPECT_EQ(image.alpha(x, y), 0) << "corner " << x << "," << y;

            bool solidInMiddle = false, softEdge = false, allWhite = true;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint32_t p = image.at(x, y);
                    const int a = channel(p, 24);
                    const bool middle = x >= w / 4 && x < w * 3 / 4 && y >= h / 4 && y < h * 3 / 4;
                    if (a == 255 && middle) solidInMiddle = true;
                    if (a > 0 && a < 255) softEdge = true;
                    // Premultiplied white: every colour channel equals alpha.
                    for (int shift : {16, 8, 0})
                        if (std::abs(channel(p, shift) - a) > 1) allWhite = false;
                }
            EXPECT_TRUE(solidInMiddle) << "no solid ink in the middle half";
            EXPECT_TRUE(softEdge) << "edges are not anti-aliased";
            EXPECT_TRUE(allWhite) << "ink other than white would survive the pane's tint unevenly";
            // A shape, not a filled box: the tint must leave the ground showing around it.
            EXPECT_GT(image.coverage(), 0.15);
            EXPECT_LT(image.coverage(), 0.8);
        }
    }
}

TEST(BundleIcons, TwoTimesPicturesShowTheSameShapeInFinerPixels) {
    for (const Expected& icon : everyIcon()) {
        SCOPED_TRACE(icon.name);
        const PngImage one = load(icon.name, 1);
        const PngImage two = load(icon.name, 2);
        ASSERT_TRUE(one.valid() && two.valid());
        // A drawing that ignored the scale would fill a quarter of the 2x picture.
        EXPECT_NEAR(two.coverage(), one.coverage(), 0.05);
        // Sampling the 2x picture at every other pixel lands on the same shape as the 1x one.
        int disagreeing = 0;
        for (int y = 0; y < one.height; ++y)
            for (int x = 0; x < one.width; ++x)
                if (std::abs(one.alpha(x, y) - two.alpha(2 * x + 1, 2 * y + 1)) > 160) ++disagreeing;
        EXPECT_LT(disagreeing, one.width * one.height / 20);
    }
}

TEST(BundleIcons, RowGlyphsCanBeToldApart) {
    for (size_t i = 0; i < kGlyphs.size(); ++i)
        for (size_t j = i + 1; j < kGlyphs.size(); ++j) {
            if (kGlyphs[i].width != kGlyphs[j].width || kGlyphs[i].height != kGlyphs[j].height) continue;
            SCOPED_TRACE(kGlyphs[i].name + " vs " + kGlyphs[j].name);
            EXPECT_GT(alphaDifference(load(kGlyphs[i].name, 2), load(kGlyphs[j].name, 2)), 0.08);
        }
}

TEST(BundleIcons, PortraitsAreOpaqueAndDistinct) {
    std::vector<PngImage> pictures;
    for (const Expected& person : kPortraits) {
        for (int scale : {1, 2}) {
            SCOPED_TRACE(person.name + " at " + std::to_string(scale) + "x");
            const PngImage image = load(person.name, scale);
            ASSERT_TRUE(image.valid());
            int transparent = 0;
            for (uint32_t p : image.pixels)
                if ((p >> 24) != 255) ++transparent;
            EXPECT_EQ(transparent, 0);
            if (scale == 2) pictures.push_back(image);
        }
    }
    ASSERT_EQ(pictures.size(), kPortraits.size());
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            SCOPED_TRACE(kPortraits[i].name + " vs " + kPortraits[j].name);
            int differing = 0;
            for (size_t k = 0; k < pictures[i].pixels.size(); ++k) {
                const uint32_t a = pictures[i].pixels[k], b = pictures[j].pixels[k];
                int distance = 0;
                for (int shift : {16, 8, 0}) distance += std::abs(channel(a, shift) - channel(b, shift));
                if (distance > 60) ++differing;
            }
            EXPECT_GT(differing, static_cast<int>(pictures[i].pixels.size()) / 2);
        }
}

TEST(BundleIcons, EntryIconIsAnOpaqueTileWithALightGlyph) {
    const PngImage icon = load(kEntryIcon.name, 2);
    ASSERT_TRUE(icon.valid());
    int opaque = 0, light = 0, dark = 0;
    for (uint32_t p : icon.pixels) {
        if ((p >> 24) != 255) continue;
        ++opaque;
        const int brightness = channel(p, 16) + channel(p, 8) + channel(p, 0);
        if (brightness > 3 * 230) ++light;
        if (brightness < 3 * 140) ++dark;
    }
    const int total = icon.width * icon.height;
    // Rounded corners leave a little transparency; the tile itself is solid.
    EXPECT_GT(opaque, total * 9 / 10);
    EXPECT_GT(light, total / 20) << "the keypad does not show";
    EXPECT_GT(dark, total / 2) << "the tile is not dark";
    EXPECT_EQ(icon.alpha(icon.width / 2, icon.height / 2), 255);
}

}  // namespace
