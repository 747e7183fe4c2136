#include "UIKit/UIStringDrawing.h"

#include <cairo.h>

namespace {

void selectFont(cairo_t* cr, const UIFont* font) {
    const bool bold = font && (font->weight() == UIFont::Weight::Bold || font->weight() == UIFont::Weight::Medium);
    const bool italic = font && font->isItalic();
    cairo_select_font_face(cr, "DejaVu Sans", italic ? CAIRO_FONT_SLANT_OBLIQUE : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    // DejaVu runs wider than Helvetica; a slightly smaller size keeps lines where the device has them.
    cairo_set_font_size(cr, (font ? font->pointSize() : 17) * 0.92);
}

}  // namespace

CGFloat UITextWidth(CGContextRef context, const std::string& text, const UIFont* font) {
    if (!context) return 0;
    cairo_t* cr = context->cairo();
    cairo_save(cr);
    selectFont(cr, font);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

void UIDrawText(CGContextRef context, const std::string& text, CGRect rect, const UIFont* font, const UIColor* colour,
                NSTextAlignment alignment) {
    if (!context || text.empty() || !colour || rect.size.width <= 0 || rect.size.height <= 0) return;
    cairo_t* cr = context->cairo();
    cairo_save(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    selectFont(cr, font);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_font_extents_t metrics;
    cairo_font_extents(cr, &metrics);
    double x = rect.origin.x;
    if (alignment == NSTextAlignmentCenter) x += (rect.size.width - extents.x_advance) / 2;
    else if (alignment == NSTextAlignmentRight) x += rect.size.width - extents.x_advance;
    const double baseline = rect.origin.y + (rect.size.height + metrics.ascent - metrics.descent) / 2;
    cairo_set_source_rgba(cr, colour->red(), colour->green(), colour->blue(), colour->alpha());
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}
