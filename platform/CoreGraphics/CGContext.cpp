#include "CoreGraphics/CGContext.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

OBJC_IMPLEMENTATION(CGContext)

CGContext::CGContext(Ref<CGImage> image, CGFloat scale) : image_(std::move(image)), scale_(scale) {
    cr_ = cairo_create(image_->surface());
    cairo_scale(cr_, scale, scale);
}

CGContext::~CGContext() {
    cairo_destroy(cr_);
    cairo_surface_flush(image_->surface());
}

void CGContext::save() {
    cairo_save(cr_);
    states_.push_back(states_.back());
}

void CGContext::restore() {
    // Unbalanced, or past the start of the open layer: ignored, as CoreGraphics does.
    if (states_.size() <= (layerFloors_.empty() ? 1 : layerFloors_.back())) return;
    cairo_restore(cr_);
    states_.pop_back();
}

void CGContext::beginLayer() {
    const double alpha = state().alpha;
    save();
    state().alpha = 1;
    state().layerAlpha = alpha;
    layerFloors_.push_back(states_.size());
    cairo_push_group(cr_);
}

void CGContext::endLayer() {
    if (layerFloors_.empty()) return;
    while (states_.size() > layerFloors_.back()) restore();
    layerFloors_.pop_back();
    const double alpha = state().layerAlpha;
    cairo_pop_group_to_source(cr_);
    cairo_paint_with_alpha(cr_, alpha);
    restore();
}

namespace {

// The cairo pattern of an image placed the CoreGraphics way in `rect` of the current user space:
// row 0 at the rectangle's maximum y.
cairo_matrix_t imagePlacement(CGRect rect, const CGImage& image) {
    cairo_matrix_t userToImage;
    cairo_matrix_init_identity(&userToImage);
    cairo_matrix_scale(&userToImage, image.width() / rect.size.width, -image.height() / rect.size.height);
    cairo_matrix_translate(&userToImage, -rect.origin.x, -(rect.origin.y + rect.size.height));
    return userToImage;
}

bool usable(CGContextRef c, CGRect rect) { return c && rect.size.width > 0 && rect.size.height > 0; }

// Paints the current path (filled) with the fill colour, through the mask if one is set.
void fillCurrentPath(CGContextRef c, cairo_fill_rule_t rule) {
    cairo_t* cr = c->cairo();
    const auto& s = c->state();
    cairo_set_source_rgba(cr, s.fill[0], s.fill[1], s.fill[2], s.fill[3] * s.alpha);
    cairo_set_fill_rule(cr, rule);
    if (!s.mask) {
        cairo_fill(cr);
        return;
    }
    cairo_save(cr);
    cairo_clip(cr);
    cairo_identity_matrix(cr);
    cairo_pattern_t* mask = cairo_pattern_create_for_surface(s.mask->surface());
    cairo_matrix_t m;
    cairo_matrix_init(&m, s.maskMatrix[0], s.maskMatrix[1], s.maskMatrix[2], s.maskMatrix[3], s.maskMatrix[4],
                      s.maskMatrix[5]);
    cairo_pattern_set_matrix(mask, &m);
    cairo_mask(cr, mask);
    cairo_pattern_destroy(mask);
    cairo_restore(cr);
}

}  // namespace

void CGContextSaveGState(CGContextRef c) {
    if (c) c->save();
}
void CGContextRestoreGState(CGContextRef c) {
    if (c) c->restore();
}
void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty) {
    if (c) cairo_translate(c->cairo(), tx, ty);
}
void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy) {
    if (c && sx != 0 && sy != 0) cairo_scale(c->cairo(), sx, sy);
}

void CGContextSetBlendMode(CGContextRef c, CGBlendMode mode) {
    if (!c) return;
    cairo_operator_t op = CAIRO_OPERATOR_OVER;
    switch (mode) {
        case kCGBlendModeMultiply: op = CAIRO_OPERATOR_MULTIPLY; break;
        case kCGBlendModeScreen: op = CAIRO_OPERATOR_SCREEN; break;
        case kCGBlendModeClear: op = CAIRO_OPERATOR_CLEAR; break;
        case kCGBlendModeCopy: op = CAIRO_OPERATOR_SOURCE; break;
        case kCGBlendModeSourceIn: op = CAIRO_OPERATOR_IN; break;
        case kCGBlendModeDestinationIn: op = CAIRO_OPERATOR_DEST_IN; break;
        default: break;
    }
    cairo_set_operator(c->cairo(), op);
}

void CGContextSetRGBFillColor(CGContextRef c, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    if (c) c->state().fill[0] = r, c->state().fill[1] = g, c->state().fill[2] = b, c->state().fill[3] = a;
}

void CGContextSetRGBStrokeColor(CGContextRef c, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    if (c) c->state().stroke[0] = r, c->state().stroke[1] = g, c->state().stroke[2] = b, c->state().stroke[3] = a;
}

void CGContextSetLineWidth(CGContextRef c, CGFloat width) {
    if (c) cairo_set_line_width(c->cairo(), width);
}

void CGContextDrawImage(CGContextRef c, CGRect rect, CGImageRef image) {
    if (!usable(c, rect) || !image) return;
    cairo_t* cr = c->cairo();
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image->surface());
    const cairo_matrix_t placement = imagePlacement(rect, *image);
    cairo_pattern_set_matrix(pattern, &placement);
    cairo_save(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    cairo_set_source(cr, pattern);
    cairo_paint_with_alpha(cr, c->state().alpha);
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
}

void CGContextClipToMask(CGContextRef c, CGRect rect, CGImageRef mask) {
    if (!usable(c, rect) || !mask) return;
    cairo_t* cr = c->cairo();
    // Outside the rectangle nothing shows; inside, the mask's alpha decides. Kept in device space so a
    // later change of the CTM does not move it.
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    cairo_matrix_t deviceToUser, userToImage = imagePlacement(rect, *mask), deviceToImage;
    cairo_get_matrix(cr, &deviceToUser);
    cairo_matrix_invert(&deviceToUser);
    cairo_matrix_multiply(&deviceToImage, &deviceToUser, &userToImage);
    auto& s = c->state();
    s.mask = mask;
    const double m[6] = {deviceToImage.xx, deviceToImage.yx, deviceToImage.xy,
                         deviceToImage.yy, deviceToImage.x0, deviceToImage.y0};
    std::copy(m, m + 6, s.maskMatrix);
}

void CGContextSetLineCap(CGContextRef c, CGLineCap cap) {
    if (!c) return;
    cairo_set_line_cap(c->cairo(), cap == kCGLineCapRound    ? CAIRO_LINE_CAP_ROUND
                                   : cap == kCGLineCapSquare ? CAIRO_LINE_CAP_SQUARE
                                                             : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(c->cairo(), cap == kCGLineCapRound ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
}

void CGContextSetLineJoin(CGContextRef c, CGLineJoin join) {
    if (!c) return;
    cairo_set_line_join(c->cairo(), join == kCGLineJoinRound   ? CAIRO_LINE_JOIN_ROUND
                                    : join == kCGLineJoinBevel ? CAIRO_LINE_JOIN_BEVEL
                                                               : CAIRO_LINE_JOIN_MITER);
}

void CGContextMoveToPoint(CGContextRef c, CGFloat x, CGFloat y) {
    if (c) cairo_move_to(c->cairo(), x, y);
}

void CGContextAddLineToPoint(CGContextRef c, CGFloat x, CGFloat y) {
    if (c) cairo_line_to(c->cairo(), x, y);
}

void CGContextAddCurveToPoint(CGContextRef c, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y) {
    if (c) cairo_curve_to(c->cairo(), cp1x, cp1y, cp2x, cp2y, x, y);
}

void CGContextAddArc(CGContextRef c, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                     int clockwise) {
    if (!c || radius < 0) return;
    // cairo's angles grow from x towards y, which is CoreGraphics's counter-clockwise.
    (clockwise ? cairo_arc_negative : cairo_arc)(c->cairo(), x, y, radius, startAngle, endAngle);
}

void CGContextClosePath(CGContextRef c) {
    if (c) cairo_close_path(c->cairo());
}

void CGContextAddRect(CGContextRef c, CGRect rect) {
    if (c) cairo_rectangle(c->cairo(), rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
}

void CGContextAddEllipseInRect(CGContextRef c, CGRect rect) {
    if (!usable(c, rect)) return;
    cairo_t* cr = c->cairo();
    cairo_save(cr);
    cairo_translate(cr, rect.origin.x + rect.size.width / 2, rect.origin.y + rect.size.height / 2);
    cairo_scale(cr, rect.size.width / 2, rect.size.height / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void CGContextAddRoundedRect(CGContextRef c, CGRect rect, CGFloat radius) {
    if (!usable(c, rect)) return;
    cairo_t* cr = c->cairo();
    const double r = std::min({radius, rect.size.width / 2, rect.size.height / 2});
    const double x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void CGContextDrawPath(CGContextRef c, CGPathDrawingMode mode) {
    if (!c) return;
    cairo_t* cr = c->cairo();
    const bool fill = mode == kCGPathFill || mode == kCGPathEOFill || mode == kCGPathFillStroke;
    const bool stroke = mode == kCGPathStroke || mode == kCGPathFillStroke;
    if (fill) {
        if (stroke) {
            cairo_path_t* path = cairo_copy_path(cr);
            fillCurrentPath(c, CAIRO_FILL_RULE_WINDING);
            cairo_append_path(cr, path);
            cairo_path_destroy(path);
        } else {
            fillCurrentPath(c, mode == kCGPathEOFill ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        }
    }
    if (stroke) {
        const auto& s = c->state();
        cairo_set_source_rgba(cr, s.stroke[0], s.stroke[1], s.stroke[2], s.stroke[3] * s.alpha);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

void CGContextFillRect(CGContextRef c, CGRect rect) {
    CGContextAddRect(c, rect);
    CGContextDrawPath(c, kCGPathFill);
}

void CGContextFillEllipseInRect(CGContextRef c, CGRect rect) {
    CGContextAddEllipseInRect(c, rect);
    CGContextDrawPath(c, kCGPathFill);
}

void CGContextClipToRect(CGContextRef c, CGRect rect) {
    if (!c) return;
    cairo_t* cr = c->cairo();
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, std::max(0.0, rect.size.width), std::max(0.0, rect.size.height));
    cairo_clip(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
}

void CGContextSetAlpha(CGContextRef c, CGFloat alpha) {
    if (c) c->state().alpha = std::clamp(alpha, 0.0, 1.0);
}

void CGContextBeginTransparencyLayer(CGContextRef c, const NSDictionary*) {
    if (c) c->beginLayer();
}

void CGContextEndTransparencyLayer(CGContextRef c) {
    if (c) c->endLayer();
}
