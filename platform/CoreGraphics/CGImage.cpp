#include "CoreGraphics/CGImage.h"

#include <cairo.h>
#include <sys/mman.h>

#include <climits>
#include <cstdint>

#include "PNGWriter.h"
#include "device/OutputFile.h"

OBJC_IMPLEMENTATION(CGImage)

namespace {

// Screen-sized bitmaps get memory of their own, in huge pages where the system gives them, filled
// in at once. Left to the first touch, each fresh 4 KiB page costs a fault: a 2x screen is about 700
// of them, which on a virtual machine took longer than drawing the screen.
constexpr size_t kMappedFrom = 256 * 1024;
constexpr size_t kHugePage = 2 << 20;

size_t roundUp(size_t n, size_t unit) { return (n + unit - 1) / unit * unit; }

struct Mapping {
    void* base;
    size_t bytes;
};

void unmap(void* data) {
    auto* mapping = static_cast<Mapping*>(data);
    ::munmap(mapping->base, mapping->bytes);
    delete mapping;
}

cairo_surface_t* mappedSurface(int width, int height) {
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    if (stride <= 0 || height > INT_MAX / stride) return nullptr;
    const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height);
    // One huge page more than needed, so the pixels can start on a huge-page boundary.
    auto* mapping = new Mapping{nullptr, roundUp(bytes, kHugePage) + kHugePage};
    mapping->base = ::mmap(nullptr, mapping->bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping->base == MAP_FAILED) {
        delete mapping;
        return nullptr;
    }
    auto* pixels = reinterpret_cast<unsigned char*>(roundUp(reinterpret_cast<uintptr_t>(mapping->base), kHugePage));
    // Both are hints: without them the pixels are the same, only slower to touch first.
    ::madvise(pixels, roundUp(bytes, kHugePage), MADV_HUGEPAGE);
    ::madvise(pixels, bytes, MADV_POPULATE_WRITE);
    cairo_surface_t* s = cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, width, height, stride);
    static const cairo_user_data_key_t kMapping{};
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(s, &kMapping, mapping, unmap) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        unmap(mapping);
        return nullptr;
    }
    return s;
}

}  // namespace

CGImage::CGImage(cairo_surface_t* surface) : surface_(surface) {}

CGImage::~CGImage() { cairo_surface_destroy(surface_); }

Ref<CGImage> CGImage::createFromPNG(const std::string& path) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(png);
        return nullptr;
    }
    // Every bitmap here is ARGB32, whatever the file held.
    auto image = create(cairo_image_surface_get_width(png), cairo_image_surface_get_height(png));
    if (image) {
        cairo_t* cr = cairo_create(image->surface_);
        cairo_set_source_surface(cr, png, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(image->surface_);
    }
    cairo_surface_destroy(png);
    return image;
}

Ref<CGImage> CGImage::create(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    const bool large = static_cast<size_t>(width) * static_cast<size_t>(height) * 4 >= kMappedFrom;
    cairo_surface_t* s = large ? mappedSurface(width, height) : nullptr;
    if (!s) s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return make<CGImage>(s);
}

bool CGImage::writePNG(const std::string& path) const { return coregraphics::writeFastPNG(surface_, path); }
std::optional<std::string> CGImage::pngData() const { return coregraphics::encodeFastPNG(surface_); }

bool CGImage::savePNG(const std::string& path, std::string& problem) const {
    static constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
    const auto bytes = pngData();
    if (!bytes) {
        problem = "the picture cannot be encoded";
        return false;
    }
    return device::writeOutputFile(path, *bytes, problem, {kSignature, "a PNG picture"});
}

int CGImage::width() const { return cairo_image_surface_get_width(surface_); }
int CGImage::height() const { return cairo_image_surface_get_height(surface_); }

uint32_t CGImage::rawPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return 0;
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    return *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
}

std::array<uint8_t, 4> CGImage::pixel(int x, int y) const {
    const uint32_t p = rawPixel(x, y);
    const uint8_t a = p >> 24;
    if (a == 0) return {0, 0, 0, 0};
    auto un = [a](uint32_t c) { return static_cast<uint8_t>((c * 255 + a / 2) / a); };
    return {un((p >> 16) & 0xff), un((p >> 8) & 0xff), un(p & 0xff), a};
}
