#include "Glyphs.h"

#include <cmath>

#include "Shapes.h"

namespace glyphs {
namespace {

using shapes::kPi;
// Row glyphs are designed on the 29-point square of a table row's icon.
constexpr double kRowBox = 29;

// Scales the design box onto the requested size and sets the ink every glyph is drawn in.
void begin(cairo_t* cr, double width, double height, double designWidth, double designHeight) {
    cairo_save(cr);
    cairo_scale(cr, width / designWidth, height / designHeight);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
}

void end(cairo_t* cr) { cairo_restore(cr); }

// A head and shoulders down to `bottom`; the shoulders are the upper half of an ellipse closed
// along the bottom.
void personPath(cairo_t* cr, double centreX, double headTop, double size, double bottom) {
    const double headRadius = 0.22 * size;
    shapes::circle(cr, centreX, headTop + headRadius, headRadius);

    const double shouldersTop = headTop + 2 * headRadius + 0.07 * size;
    const double halfWidth = 0.42 * size;
    const double domeHeight = 0.36 * size;
    cairo_new_sub_path(cr);
    cairo_save(cr);
    cairo_translate(cr, centreX, shouldersTop + domeHeight);
    cairo_scale(cr, halfWidth, domeHeight);
    cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
    cairo_restore(cr);
    cairo_line_to(cr, centreX + halfWidth, bottom);
    cairo_line_to(cr, centreX - halfWidth, bottom);
    cairo_close_path(cr);
}

}  // namespace

void heart(cairo_t* cr, double width, double height) {
    begin(cr, width, height, 22, 20);
    cairo_move_to(cr, 11, 19.2);
    cairo_curve_to(cr, 4.5, 14.2, 0.8, 10.4, 0.8, 6.2);
    cairo_curve_to(cr, 0.8, 2.9, 3.2, 0.8, 6.1, 0.8);
    cairo_curve_to(cr, 8.3, 0.8, 10.1, 2.1, 11, 4.0);
    cairo_curve_to(cr, 11.9, 2.1, 13.7, 0.8, 15.9, 0.8);
    cairo_curve_to(cr, 18.8, 0.8, 21.2, 2.9, 21.2, 6.2);
    cairo_curve_to(cr, 21.2, 10.4, 17.5, 14.2, 11, 19.2);
    cairo_close_path(cr);
    cairo_fill(cr);
    end(cr);
}

void gear(cairo_t* cr, double width, double height) {
    begin(cr, width, height, kRowBox, kRowBox);
    const double cx = 14.5, cy = 14.5;
    const double outer = 12, root = 9.2, hole = 4;
    const int teeth = 8;
    const double step = 2 * kPi / teeth;
    const double tipHalf = step * 0.2, baseHalf = step * 0.3;
    for (int i = 0; i < teeth; ++i) {
        const double a = i * step;
        // Root circle from the end of the previous tooth to the start of this one, then the tooth.
        cairo_arc(cr, cx, cy, root, a - step + baseHalf, a - baseHalf);
        cairo_line_to(cr, cx + outer * std::cos(a - tipHalf), cy + outer * std::sin(a - tipHalf));
        cairo_arc(cr, cx, cy, outer, a - tipHalf, a + tipHalf);
        cairo_line_to(cr, cx + root * std::cos(a + baseHalf), cy + root * std::sin(a + baseHalf));
    }
    cairo_close_path(cr);
    shapes::circle(cr, cx, cy, hole);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    end(cr);
}

void makers(cairo_t* cr, double width, double height) {
    begin(cr, width, height, kRowBox, kRowBox);
    // The partner stands behind, up and to the right; the front person is cut out of them with a
    // thin gap so the two read as separate figures at 29 points.
    const double bottom = 24.5;
    personPath(cr, 18.5, 4, 15, bottom);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    personPath(cr, 11, 7.5, 17, bottom);
    cairo_set_line_width(cr, 2.4);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    personPath(cr, 11, 7.5, 17, bottom);
    cairo_fill(cr);
    end(cr);
}

void envelope(cairo_t* cr, double width, double height) {
    begin(cr, width, height, kRowBox, kRowBox);
    const double left = 3.5, top = 7, right = 25.5, bottom = 22, radius = 2.2;
    shapes::roundedRectangle(cr, left, top, right - left, bottom - top, radius);
    cairo_fill(cr);
    // The flap: a V cut out of the body.
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, left + 1.2, top + 1.6);
    cairo_line_to(cr, 14.5, 15.6);
    cairo_line_to(cr, right - 1.2, top + 1.6);
    cairo_stroke(cr);
    end(cr);
}

void power(cairo_t* cr, double width, double height) {
    begin(cr, width, height, kRowBox, kRowBox);
    const double cx = 14.5, cy = 15.5, radius = 9;
    const double gap = 0.62;  // half the opening at the top, in radians
    cairo_set_line_width(cr, 2.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_arc(cr, cx, cy, radius, -kPi / 2 + gap, 3 * kPi / 2 - gap);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, 3.5);
    cairo_line_to(cr, cx, 14);
    cairo_stroke(cr);
    end(cr);
}

}  // namespace glyphs
