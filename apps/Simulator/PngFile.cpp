#include "PngFile.h"

#include <cstdint>
#include <fstream>
#include <sstream>

namespace simulator {
namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
constexpr double kScreenWidthInPoints = 320;

uint32_t bigEndian(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

std::optional<PngSize> pngSize(std::string_view bytes) {
    // Signature, then the IHDR chunk: length, "IHDR", width, height.
    if (bytes.size() < 24 || bytes.substr(0, 8) != kSignature || bytes.substr(12, 4) != "IHDR") return std::nullopt;
    const uint32_t width = bigEndian(bytes, 16), height = bigEndian(bytes, 20);
    // The format allows up to 2^31 - 1 in each direction, and no zero.
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    return PngSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<PngFile> readPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    PngFile file{bytes.str(), 0};
    const auto size = pngSize(file.bytes);
    if (!size) return std::nullopt;
    file.heightInPoints = size->height * kScreenWidthInPoints / size->width;
    return file;
}

}  // namespace simulator
