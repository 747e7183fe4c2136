#pragma once
// PNG files from ARGB32 bitmaps, written for speed: the device writes a picture every time an app
// draws its screen, and cairo's own writer compresses several times harder for a file a few
// percent smaller.

#include <optional>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace coregraphics {

// Writes the ARGB32 image surface to `path` (RGB when every pixel is opaque, RGBA otherwise);
// false on any failure, with nothing promised about the file.
bool writeFastPNG(cairo_surface_t* surface, const std::string& path);
// The same file's bytes, for a writer that decides where and how they go.
std::optional<std::string> encodeFastPNG(cairo_surface_t* surface);

}  // namespace coregraphics
