#include "Shapes.h"

namespace shapes {

void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
    const double right = x + width, bottom = y + height;
    cairo_new_sub_path(cr);
    cairo_arc(cr, right - radius, y + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, right - radius, bottom - radius, radius, 0, kPi / 2);
    cairo_arc(cr, x + radius, bottom - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double centreX, double centreY, double radiusX, double radiusY) {
    cairo_new_sub_path(cr);
    cairo_save(cr);
    cairo_translate(cr, centreX, centreY);
    cairo_scale(cr, radiusX, radiusY);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_close_path(cr);
}

void circle(cairo_t* cr, double centreX, double centreY, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, centreX, centreY, radius, 0, 2 * kPi);
    cairo_close_path(cr);
}

}  // namespace shapes
