#pragma once
// The makers' pictures on the credits page: small opaque head-and-shoulders portraits, told apart
// by background, hair and accessories rather than by likeness.

#include <cairo.h>

namespace portraits {

struct Colour {
    double red, green, blue;
};

enum class Hair { Short, Long, Curly };

struct Style {
    Colour backgroundTop;
    Colour backgroundBottom;
    Colour skin;
    Colour hairColour;
    Colour shirt;
    Hair hair;
    bool glasses;
    bool beard;
};

// Fills the whole width x height box (points), leaving no transparent pixel.
void draw(cairo_t* cr, const Style& style, double width, double height);

}  // namespace portraits
