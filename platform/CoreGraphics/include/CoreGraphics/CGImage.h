#pragma once
// A bitmap: premultiplied ARGB32 pixels in a cairo image surface. Row 0 is the top of the picture.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "objc/runtime.h"

typedef struct _cairo_surface cairo_surface_t;

class CGImage : public NSObject {
    OBJC_INTERFACE(CGImage, NSObject)

public:
    // Takes over one reference to `surface`.
    explicit CGImage(cairo_surface_t* surface);
    ~CGImage() override;

    // Nil for a missing, unreadable or corrupt PNG file.
    static Ref<CGImage> createFromPNG(const std::string& path);
    // A blank, fully transparent bitmap; nil for a zero or negative size.
    static Ref<CGImage> create(int width, int height);
    bool writePNG(const std::string& path) const;
    // The PNG file's bytes; nothing when it cannot be encoded.
    std::optional<std::string> pngData() const;
    // Writes the picture to a path a person named, as a tool writes its output: atomically over a
    // PNG file or none, never over a file of another kind (a property list stays one). False, with
    // `problem` saying why, when nothing was written.
    bool savePNG(const std::string& path, std::string& problem) const;

    int width() const;
    int height() const;
    // The pixel at (x, y) unpremultiplied, as {r, g, b, a} in 0...255; zeros outside the bitmap.
    std::array<uint8_t, 4> pixel(int x, int y) const;
    // The raw premultiplied word at (x, y), 0 outside.
    uint32_t rawPixel(int x, int y) const;
    cairo_surface_t* surface() const { return surface_; }

private:
    cairo_surface_t* surface_;
};
using CGImageRef = CGImage*;
