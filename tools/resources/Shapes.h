#pragma once
// Path pieces shared by the icons. Each adds a closed sub-path to the current path.

#include <cairo.h>

#include <numbers>

namespace shapes {

inline constexpr double kPi = std::numbers::pi;

void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius);
void ellipse(cairo_t* cr, double centreX, double centreY, double radiusX, double radiusY);
void circle(cairo_t* cr, double centreX, double centreY, double radius);

}  // namespace shapes
