#include "UIKit/UIStringDrawing.h"

#include <pango/pangocairo.h>

#include <memory>

namespace {

// Pango objects are GObjects: released with g_object_unref.
template <class T>
struct Unref {
    void operator()(T* object) const { g_object_unref(object); }
};
template <class T>
using GRef = std::unique_ptr<T, Unref<T>>;

constexpr const char* kFamilies = "Roboto, DejaVu Sans";

PangoWeight pangoWeight(UIFont::Weight weight) {
    switch (weight) {
        case UIFont::Weight::UltraLight:
        case UIFont::Weight::Thin: return PANGO_WEIGHT_THIN;
        case UIFont::Weight::Light: return PANGO_WEIGHT_LIGHT;
        case UIFont::Weight::Regular: return PANGO_WEIGHT_NORMAL;
        case UIFont::Weight::Medium: return PANGO_WEIGHT_MEDIUM;
        case UIFont::Weight::Bold: return PANGO_WEIGHT_BOLD;
    }
    return PANGO_WEIGHT_NORMAL;
}

// Metrics independent of the context's scale, so a width measured once holds at every scale.
void unhinted(PangoContext* context) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
}

// A context for measuring, shared by every measurement of the process.
PangoContext* measuringContext() {
    static PangoContext* context = [] {
        PangoContext* made = pango_font_map_create_context(pango_cairo_font_map_get_default());
        unhinted(made);
        return made;
    }();
    return context;
}

enum class Flow { OneLine, Wrapped };

// The text laid out in the font: one ellipsized line, or wrapped lines, `width` points wide
// (unbounded when zero or less).
GRef<PangoLayout> layoutOf(PangoContext* context, const std::string& text, const UIFont* font, CGFloat width, Flow flow,
                          NSTextAlignment alignment) {
    GRef<PangoLayout> layout(pango_layout_new(context));
    PangoFontDescription* description = pango_font_description_from_string(kFamilies);
    pango_font_description_set_weight(description, pangoWeight(font ? font->weight() : UIFont::Weight::Regular));
    pango_font_description_set_style(description, font && font->isItalic() ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(description, (font ? font->pointSize() : 17) * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), description);
    pango_font_description_free(description);
    pango_layout_set_text(layout.get(), text.c_str(), static_cast<int>(text.size()));
    if (width > 0) {
        pango_layout_set_width(layout.get(), static_cast<int>(width * PANGO_SCALE));
        if (flow == Flow::OneLine) {
            pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
            pango_layout_set_height(layout.get(), 0);  // one line
        } else {
            pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
        }
        pango_layout_set_alignment(layout.get(), alignment == NSTextAlignmentCenter  ? PANGO_ALIGN_CENTER
                                                 : alignment == NSTextAlignmentRight ? PANGO_ALIGN_RIGHT
                                                                                     : PANGO_ALIGN_LEFT);
    }
    return layout;
}

CGSize sizeOf(PangoLayout* layout) {
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return CGSizeMake(static_cast<CGFloat>(logical.width) / PANGO_SCALE, static_cast<CGFloat>(logical.height) / PANGO_SCALE);
}

bool drawable(CGContextRef context, const std::string& text, CGRect rect, const UIColor* colour) {
    return context && !text.empty() && colour && rect.size.width > 0 && rect.size.height > 0;
}

// Lays the text out for the context (its scale and transform), draws it with its top at `top`.
CGFloat drawLaidOut(CGContextRef context, const std::string& text, CGRect rect, const UIFont* font, const UIColor* colour,
                    NSTextAlignment alignment, Flow flow) {
    cairo_t* cr = context->cairo();
    cairo_save(cr);
    GRef<PangoContext> pango(pango_cairo_create_context(cr));
    unhinted(pango.get());
    GRef<PangoLayout> layout = layoutOf(pango.get(), text, font, rect.size.width, flow, alignment);
    const CGSize size = sizeOf(layout.get());
    const CGFloat top = flow == Flow::OneLine ? rect.origin.y + (rect.size.height - size.height) / 2 : rect.origin.y;
    cairo_set_source_rgba(cr, colour->red(), colour->green(), colour->blue(), colour->alpha());
    cairo_move_to(cr, rect.origin.x, top);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
    return size.height;
}

}  // namespace

CGFloat UITextWidth(const std::string& text, const UIFont* font) {
    if (text.empty()) return 0;
    return sizeOf(layoutOf(measuringContext(), text, font, 0, Flow::OneLine, NSTextAlignmentLeft).get()).width;
}

CGFloat UIWrappedTextHeight(const std::string& text, const UIFont* font, CGFloat width) {
    if (text.empty()) return 0;
    return sizeOf(layoutOf(measuringContext(), text, font, width, Flow::Wrapped, NSTextAlignmentLeft).get()).height;
}

void UIDrawText(CGContextRef context, const std::string& text, CGRect rect, const UIFont* font, const UIColor* colour,
                NSTextAlignment alignment) {
    if (drawable(context, text, rect, colour)) drawLaidOut(context, text, rect, font, colour, alignment, Flow::OneLine);
}

CGFloat UIDrawWrappedText(CGContextRef context, const std::string& text, CGRect rect, const UIFont* font,
                          const UIColor* colour, NSTextAlignment alignment) {
    if (!drawable(context, text, rect, colour)) return 0;
    return drawLaidOut(context, text, rect, font, colour, alignment, Flow::Wrapped);
}
