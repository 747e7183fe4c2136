#include "Portraits.h"

#include <cmath>
#include <initializer_list>

#include "Shapes.h"

namespace portraits {
namespace {

using shapes::circle;
using shapes::ellipse;
using shapes::kPi;
// Portraits are designed on the 65-point square of a credits row's picture.
constexpr double kBox = 65;
constexpr double kHeadX = 32.5, kHeadY = 28, kHeadRadiusX = 11.5, kHeadRadiusY = 13.5;

void setColour(cairo_t* cr, Colour c) { cairo_set_source_rgb(cr, c.red, c.green, c.blue); }

void background(cairo_t* cr, const Style& s) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, kBox);
    cairo_pattern_add_color_stop_rgb(gradient, 0, s.backgroundTop.red, s.backgroundTop.green, s.backgroundTop.blue);
    cairo_pattern_add_color_stop_rgb(gradient, 1, s.backgroundBottom.red, s.backgroundBottom.green,
                                     s.backgroundBottom.blue);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
}

void shoulders(cairo_t* cr, const Style& s) {
    setColour(cr, s.shirt);
    ellipse(cr, kHeadX, 67, 26, 20);
    cairo_fill(cr);
    setColour(cr, s.skin);
    cairo_rectangle(cr, kHeadX - 4.5, kHeadY + 8, 9, 12);
    cairo_fill(cr);
    // The collar opening.
    cairo_move_to(cr, kHeadX - 6, 47.4);
    cairo_line_to(cr, kHeadX, 54);
    cairo_line_to(cr, kHeadX + 6, 47.4);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// Hair that falls behind the head, drawn before it.
void hairBehind(cairo_t* cr, const Style& s) {
    if (s.hair != Hair::Long) return;
    setColour(cr, s.hairColour);
    ellipse(cr, kHeadX, kHeadY + 6, kHeadRadiusX + 3.5, kHeadRadiusY + 8);
    cairo_fill(cr);
}

void head(cairo_t* cr, const Style& s) {
    setColour(cr, s.skin);
    ellipse(cr, kHeadX, kHeadY, kHeadRadiusX, kHeadRadiusY);
    cairo_fill(cr);
}

// Hair on top of the head, drawn after it.
void hairOnTop(cairo_t* cr, const Style& s) {
    setColour(cr, s.hairColour);
    if (s.hair == Hair::Curly) {
        for (int i = 0; i <= 6; ++i) {
            const double angle = kPi + i * kPi / 6;
            circle(cr, kHeadX + 11 * std::cos(angle), kHeadY - 2 + 12.5 * std::sin(angle), 5);
        }
        cairo_fill(cr);
        return;
    }
    // A cap of hair: the head's outline grown a little, kept above the brow.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kBox, kHeadY - 4);
    cairo_clip(cr);
    ellipse(cr, kHeadX, kHeadY, kHeadRadiusX + 1.5, kHeadRadiusY + 1.5);
    cairo_fill(cr);
    cairo_restore(cr);
}

void face(cairo_t* cr, const Style& s) {
    const double eyeY = kHeadY + 1, eyeDx = 4.6;
    cairo_set_source_rgb(cr, 0.12, 0.1, 0.1);
    for (double side : {-1.0, 1.0}) {
        circle(cr, kHeadX + side * eyeDx, eyeY, 1.4);
    }
    cairo_fill(cr);

    if (s.beard) {
        setColour(cr, s.hairColour);
        cairo_save(cr);
        cairo_rectangle(cr, 0, kHeadY + 4.5, kBox, kBox);
        cairo_clip(cr);
        ellipse(cr, kHeadX, kHeadY + 1, kHeadRadiusX + 0.5, kHeadRadiusY + 1.5);
        cairo_fill(cr);
        cairo_restore(cr);
    }

    cairo_set_source_rgb(cr, 0.45, 0.15, 0.15);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_arc(cr, kHeadX, kHeadY + 5, 4, 0.25 * kPi, 0.75 * kPi);
    cairo_stroke(cr);

    if (s.glasses) {
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.12);
        cairo_set_line_width(cr, 1.1);
        for (double side : {-1.0, 1.0}) {
            circle(cr, kHeadX + side * eyeDx, eyeY, 3.4);
        }
        cairo_move_to(cr, kHeadX - eyeDx + 3.4, eyeY);
        cairo_line_to(cr, kHeadX + eyeDx - 3.4, eyeY);
        cairo_stroke(cr);
    }
}

}  // namespace

void draw(cairo_t* cr, const Style& style, double width, double height) {
    cairo_save(cr);
    cairo_scale(cr, width / kBox, height / kBox);
    background(cr, style);
    hairBehind(cr, style);
    shoulders(cr, style);
    head(cr, style);
    hairOnTop(cr, style);
    face(cr, style);
    cairo_restore(cr);
}

}  // namespace portraits
