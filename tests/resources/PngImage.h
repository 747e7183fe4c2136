#pragma once
// A PNG file's pixels, for checking what the icon tool drew.

#include <cstdint>
#include <string>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    // Premultiplied ARGB words, row by row; empty when the file could not be read.
    std::vector<uint32_t> pixels;

    static PngImage load(const std::string& path);
    bool valid() const { return !pixels.empty(); }

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int alpha(int x, int y) const { return at(x, y) >> 24; }
    // Mean alpha over the picture, 0..1: how much of it the shape covers.
    double coverage() const;
};
