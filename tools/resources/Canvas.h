#pragma once
// An offscreen picture measured in points and rendered at a screen scale, so one drawing routine
// yields both the 1x and the 2x file of an icon.

#include <cairo.h>

#include <optional>
#include <string>

class Canvas {
public:
    // A transparent picture of width x height points at `scale` pixels per point.
    Canvas(double widthPoints, double heightPoints, int scale);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Drawing happens in points; the context already carries the scale.
    cairo_t* context() const { return context_; }
    double width() const { return width_; }
    double height() const { return height_; }

    // The picture as PNG bytes; nullopt (with the reason in `error`) when cairo failed at any step.
    std::optional<std::string> encodePng(std::string& error) const;

private:
    double width_;
    double height_;
    cairo_surface_t* surface_;
    cairo_t* context_;
};
