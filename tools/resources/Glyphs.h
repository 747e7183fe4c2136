#pragma once
// The monochrome glyphs of the pane: white shapes on a transparent ground whose alpha carries the
// shape, because the pane recolours them in its own tint. Each routine fills a box of the given
// size in points, starting at the origin.

#include <cairo.h>

namespace glyphs {

void heart(cairo_t* cr, double width, double height);    // the share button
void gear(cairo_t* cr, double width, double height);     // settings
void makers(cairo_t* cr, double width, double height);   // two people: the credits
void envelope(cairo_t* cr, double width, double height); // support mail
void power(cairo_t* cr, double width, double height);    // the master switch

}  // namespace glyphs
