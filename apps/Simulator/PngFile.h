#pragma once
// The PNG pictures the device's apps write, read whole for the page.

#include <optional>
#include <string>
#include <string_view>

namespace simulator {

struct PngSize {
    int width = 0, height = 0;  // pixels
};

// The size in the header of a PNG; nothing for bytes that do not start as a PNG does.
std::optional<PngSize> pngSize(std::string_view bytes);

// The bytes of a PNG file and its height in points (the pictures are 320 points wide); nothing for
// a missing file or one that is no PNG.
struct PngFile {
    std::string bytes;
    double heightInPoints = 0;
};
std::optional<PngFile> readPng(const std::string& path);

}  // namespace simulator
