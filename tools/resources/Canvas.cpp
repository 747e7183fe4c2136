#include "Canvas.h"

#include <cmath>

Canvas::Canvas(double widthPoints, double heightPoints, int scale)
    : width_(widthPoints),
      height_(heightPoints),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(std::lround(widthPoints * scale)),
                                          static_cast<int>(std::lround(heightPoints * scale)))) {
    cairo_surface_set_device_scale(surface_, scale, scale);
    context_ = cairo_create(surface_);
}

Canvas::~Canvas() {
    cairo_destroy(context_);
    cairo_surface_destroy(surface_);
}

namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::optional<std::string> Canvas::encodePng(std::string& error) const {
    // A failed drawing call leaves the context in an error state; it would otherwise come out as a
    // silently blank icon.
    cairo_status_t status = cairo_status(context_);
    if (status == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface_);
        status = cairo_surface_status(surface_);
    }
    std::string bytes;
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_write_to_png_stream(surface_, appendBytes, &bytes);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(status);
        return std::nullopt;
    }
    return bytes;
}
