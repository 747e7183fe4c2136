#pragma once
// A drawing context in CoreGraphics's shape, drawing with cairo into a bitmap. User space is in
// points; images are drawn the CoreGraphics way, with their first row at the rectangle's maximum y,
// so in a context whose y axis points down (a UIKit image context) they come out upside down unless
// the caller flips the CTM first, exactly as on the device.

#include <optional>
#include <vector>
#include <string>

#include "CoreGraphics/CGGeometry.h"
#include "CoreGraphics/CGImage.h"

typedef struct _cairo cairo_t;
class NSDictionary;

enum CGBlendMode : int {
    kCGBlendModeNormal = 0,
    kCGBlendModeMultiply = 1,
    kCGBlendModeScreen = 2,
    kCGBlendModeClear = 16,
    kCGBlendModeCopy = 17,
    kCGBlendModeSourceIn = 18,
    kCGBlendModeDestinationIn = 22,
};

enum CGPathDrawingMode : int { kCGPathFill = 0, kCGPathEOFill = 1, kCGPathStroke = 2, kCGPathFillStroke = 3 };

class CGContext : public NSObject {
    OBJC_INTERFACE(CGContext, NSObject)

public:
    // A context drawing into `image` at `scale` pixels per point, origin at the top left, y down.
    CGContext(Ref<CGImage> image, CGFloat scale);
    ~CGContext() override;

    cairo_t* cairo() const { return cr_; }
    CGImage* image() const { return image_; }
    CGFloat scale() const { return scale_; }

    // The graphics state the CG calls change besides cairo's own.
    struct State {
        double fill[4] = {0, 0, 0, 1};  // opaque black until set
        double stroke[4] = {0, 0, 0, 1};
        Ref<CGImage> mask;
        double maskMatrix[6] = {1, 0, 0, 1, 0, 0};  // device space to mask pixels
        double alpha = 1;                           // multiplies every paint
        double layerAlpha = 1;                      // in a layer's base state: what it is composited at
    };
    State& state() { return states_.back(); }
    void save();
    void restore();
    // A transparency layer: drawing goes to an offscreen group, composited once at the alpha in
    // effect when it began. Saves made inside it and not restored are undone when it ends.
    void beginLayer();
    void endLayer();

private:
    Ref<CGImage> image_;
    CGFloat scale_;
    cairo_t* cr_;
    std::vector<State> states_{State{}};
    std::vector<size_t> layerFloors_;  // the state depth at each open layer's start
};
using CGContextRef = CGContext*;

void CGContextSaveGState(CGContextRef c);
void CGContextRestoreGState(CGContextRef c);
void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty);
void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy);
void CGContextSetBlendMode(CGContextRef c, CGBlendMode mode);
void CGContextSetRGBFillColor(CGContextRef c, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
void CGContextSetRGBStrokeColor(CGContextRef c, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
void CGContextSetLineWidth(CGContextRef c, CGFloat width);
void CGContextDrawImage(CGContextRef c, CGRect rect, CGImageRef image);
// Limits later painting to where `mask` covers, in proportion to its alpha.
void CGContextClipToMask(CGContextRef c, CGRect rect, CGImageRef mask);
enum CGLineCap : int { kCGLineCapButt = 0, kCGLineCapRound = 1, kCGLineCapSquare = 2 };
void CGContextSetLineCap(CGContextRef c, CGLineCap cap);
enum CGLineJoin : int { kCGLineJoinMiter = 0, kCGLineJoinRound = 1, kCGLineJoinBevel = 2 };
void CGContextSetLineJoin(CGContextRef c, CGLineJoin join);
// Open polylines: a move starts a new sub-path, each line extends it.
void CGContextMoveToPoint(CGContextRef c, CGFloat x, CGFloat y);
void CGContextAddLineToPoint(CGContextRef c, CGFloat x, CGFloat y);
void CGContextAddCurveToPoint(CGContextRef c, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y);
// An arc of the circle around (x, y), angles in radians from the x axis towards y. `clockwise` is
// CoreGraphics's own sense, for a y axis pointing up: 1 draws towards smaller angles. A line joins
// the current point, if any, to the arc's start.
void CGContextAddArc(CGContextRef c, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                     int clockwise);
// Joins the current sub-path's end to its start.
void CGContextClosePath(CGContextRef c);
void CGContextAddRect(CGContextRef c, CGRect rect);
void CGContextAddEllipseInRect(CGContextRef c, CGRect rect);
void CGContextAddRoundedRect(CGContextRef c, CGRect rect, CGFloat radius);
void CGContextDrawPath(CGContextRef c, CGPathDrawingMode mode);
void CGContextFillRect(CGContextRef c, CGRect rect);
void CGContextFillEllipseInRect(CGContextRef c, CGRect rect);
// Intersects the clip with `rect`; the current path is kept.
void CGContextClipToRect(CGContextRef c, CGRect rect);
// The alpha, 0...1, that all later painting is multiplied by; part of the graphics state.
void CGContextSetAlpha(CGContextRef c, CGFloat alpha);
// Inside a layer the alpha starts at 1; the layer as a whole is composited at the alpha set before it.
void CGContextBeginTransparencyLayer(CGContextRef c, const NSDictionary* auxiliaryInfo);  // a CFDictionaryRef, unused
void CGContextEndTransparencyLayer(CGContextRef c);
