#pragma once
// The pane's icon in the Settings app's own list: a rounded tile in the pane's dark grey with a
// white dialer keypad, drawn opaque like the system's own entries.

#include <cairo.h>

void drawEntryIcon(cairo_t* cr, double width, double height);
