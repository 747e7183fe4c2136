#pragma once
// Every picture the bundle ships, by file name, with its size in points and how it is drawn.

#include <cairo.h>

#include <span>
#include <string_view>

struct IconSpec {
    std::string_view name;  // file name without ".png" or "@2x"
    double width;           // points
    double height;
    void (*draw)(cairo_t* cr, double width, double height);
};

std::span<const IconSpec> iconCatalogue();
// The icon of that name; nullptr when there is none.
const IconSpec* findIcon(std::string_view name);
