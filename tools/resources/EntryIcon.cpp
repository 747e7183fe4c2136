#include "EntryIcon.h"

#include "Shapes.h"

namespace {

constexpr double kBox = 29;

}  // namespace

void drawEntryIcon(cairo_t* cr, double width, double height) {
    cairo_save(cr);
    cairo_scale(cr, width / kBox, height / kBox);

    cairo_pattern_t* tile = cairo_pattern_create_linear(0, 0, 0, kBox);
    cairo_pattern_add_color_stop_rgb(tile, 0, 0.45, 0.45, 0.47);
    cairo_pattern_add_color_stop_rgb(tile, 1, 0.24, 0.24, 0.26);
    shapes::roundedRectangle(cr, 0, 0, kBox, kBox, 6.5);
    cairo_set_source(cr, tile);
    cairo_fill(cr);
    cairo_pattern_destroy(tile);

    // Three rows of three keys and the lone zero below them.
    cairo_set_source_rgb(cr, 1, 1, 1);
    const double columns[] = {8.7, 14.5, 20.3};
    const double rows[] = {6.8, 12.0, 17.2};
    for (double y : rows)
        for (double x : columns) shapes::circle(cr, x, y, 2.1);
    shapes::circle(cr, columns[1], 22.4, 2.1);
    cairo_fill(cr);
    cairo_restore(cr);
}
