#include "PNGWriter.h"

#include <cairo.h>
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace coregraphics {
namespace {

bool everyPixelOpaque(const unsigned char* data, int width, int height, int stride) {
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width; ++x)
            if ((row[x] >> 24) != 0xff) return false;
    }
    return true;
}

// One row of premultiplied native-endian ARGB words as PNG's RGB or straight-alpha RGBA bytes.
void convertRow(const uint32_t* in, int width, bool withAlpha, unsigned char* out) {
    for (int x = 0; x < width; ++x) {
        const uint32_t p = in[x];
        const unsigned a = p >> 24;
        unsigned r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
        if (withAlpha && a != 0xff) {
            if (a == 0) {
                r = g = b = 0;
            } else {
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
        }
        *out++ = static_cast<unsigned char>(r);
        *out++ = static_cast<unsigned char>(g);
        *out++ = static_cast<unsigned char>(b);
        if (withAlpha) *out++ = static_cast<unsigned char>(a);
    }
}

// libpng reports failure by longjmp: nothing here may need a destructor between setjmp and the end.
bool encode(FILE* file, const unsigned char* data, int width, int height, int stride, bool withAlpha,
            unsigned char* row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Screens are mostly flat colour: the fastest setting loses almost nothing on them.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        convertRow(reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride), width, withAlpha, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool encodeInto(cairo_surface_t* surface, FILE* file) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
        return false;
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    if (!data || width <= 0 || height <= 0) return false;
    const bool withAlpha = !everyPixelOpaque(data, width, height, stride);
    std::vector<unsigned char> row(static_cast<size_t>(width) * (withAlpha ? 4 : 3));
    return encode(file, data, width, height, stride, withAlpha, row.data());
}

bool writeFastPNG(cairo_surface_t* surface, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool encoded = encodeInto(surface, file);
    const bool closed = std::fclose(file) == 0;
    return encoded && closed;
}

std::optional<std::string> encodeFastPNG(cairo_surface_t* surface) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* memory = ::open_memstream(&buffer, &size);
    if (!memory) return std::nullopt;
    const bool encoded = encodeInto(surface, memory);
    const bool closed = std::fclose(memory) == 0;
    std::optional<std::string> bytes;
    if (encoded && closed) bytes.emplace(buffer, size);
    std::free(buffer);
    return bytes;
}

}  // namespace coregraphics
