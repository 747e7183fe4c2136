#include "CoreGraphics/CGImage.h"

#include <cairo.h>

#include "PNGWriter.h"

OBJC_IMPLEMENTATION(CGImage)

CGImage::CGImage(cairo_surface_t* surface) : surface_(surface) {}

CGImage::~CGImage() { cairo_surface_destroy(surface_); }

Ref<CGImage> CGImage::createFromPNG(const std::string& path) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(png);
        return nullptr;
    }
    // Every bitmap here is ARGB32, whatever the file held.
    auto image = create(cairo_image_surface_get_width(png), cairo_image_surface_get_height(png));
    if (image) {
        cairo_t* cr = cairo_create(image->surface_);
        cairo_set_source_surface(cr, png, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(image->surface_);
    }
    cairo_surface_destroy(png);
    return image;
}

Ref<CGImage> CGImage::create(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return make<CGImage>(s);
}

bool CGImage::writePNG(const std::string& path) const { return coregraphics::writeFastPNG(surface_, path); }

int CGImage::width() const { return cairo_image_surface_get_width(surface_); }
int CGImage::height() const { return cairo_image_surface_get_height(surface_); }

uint32_t CGImage::rawPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return 0;
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    return *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
}

std::array<uint8_t, 4> CGImage::pixel(int x, int y) const {
    const uint32_t p = rawPixel(x, y);
    const uint8_t a = p >> 24;
    if (a == 0) return {0, 0, 0, 0};
    auto un = [a](uint32_t c) { return static_cast<uint8_t>((c * 255 + a / 2) / a); };
    return {un((p >> 16) & 0xff), un((p >> 8) & 0xff), un(p & 0xff), a};
}
