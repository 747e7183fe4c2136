#include "PngImage.h"

#include <cairo.h>

#include <cstring>

PngImage PngImage::load(const std::string& path) {
    PngImage image;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        // PNG files come in as ARGB32 or, when fully opaque, RGB24; both are 32-bit words.
        const cairo_format_t format = cairo_image_surface_get_format(surface);
        if (format == CAIRO_FORMAT_ARGB32 || format == CAIRO_FORMAT_RGB24) {
            cairo_surface_flush(surface);
            image.width = cairo_image_surface_get_width(surface);
            image.height = cairo_image_surface_get_height(surface);
            const int stride = cairo_image_surface_get_stride(surface);
            const unsigned char* data = cairo_image_surface_get_data(surface);
            image.pixels.resize(static_cast<size_t>(image.width) * image.height);
            for (int y = 0; y < image.height; ++y)
                std::memcpy(&image.pixels[static_cast<size_t>(y) * image.width], data + static_cast<size_t>(y) * stride,
                            static_cast<size_t>(image.width) * 4);
            if (format == CAIRO_FORMAT_RGB24)
                for (uint32_t& p : image.pixels) p |= 0xFF000000u;
        }
    }
    cairo_surface_destroy(surface);
    return image;
}

double PngImage::coverage() const {
    if (pixels.empty()) return 0;
    double sum = 0;
    for (uint32_t p : pixels) sum += (p >> 24) / 255.0;
    return sum / static_cast<double>(pixels.size());
}
