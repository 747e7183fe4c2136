#pragma once
// A path of lines, curves and arcs in a view's coordinates (y down), filled or stroked into the
// current context with its own line width, cap and join, which it keeps.

#include <vector>

#include "CoreGraphics/CGContext.h"
#include "CoreGraphics/CGGeometry.h"
#include "objc/runtime.h"

class UIBezierPath : public NSObject {
    OBJC_INTERFACE(UIBezierPath, NSObject)

public:
    UIBezierPath() = default;

    static Ref<UIBezierPath> bezierPath() { return make<UIBezierPath>(); }
    static Ref<UIBezierPath> bezierPathWithRect(CGRect rect);
    static Ref<UIBezierPath> bezierPathWithOvalInRect(CGRect rect);
    // Corners rounded at `cornerRadius`, no more than half the shorter side.
    static Ref<UIBezierPath> bezierPathWithRoundedRect(CGRect rect, CGFloat cornerRadius);
    static Ref<UIBezierPath> bezierPathWithArcCenter(CGPoint center, CGFloat radius, CGFloat startAngle,
                                                     CGFloat endAngle, bool clockwise);

    void moveToPoint(CGPoint point);
    void addLineToPoint(CGPoint point);
    void addCurveToPoint(CGPoint end, CGPoint controlPoint1, CGPoint controlPoint2);
    // Angles in radians from the x axis; clockwise as seen on the screen, so towards larger angles.
    // Joined by a line to the current point, if there is one.
    void addArcWithCenter(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
    void closePath();
    bool isEmpty() const { return elements_.empty(); }

    CGFloat lineWidth() const { return lineWidth_; }
    void setLineWidth(CGFloat width) { lineWidth_ = width; }
    CGLineCap lineCapStyle() const { return lineCap_; }
    void setLineCapStyle(CGLineCap cap) { lineCap_ = cap; }
    CGLineJoin lineJoinStyle() const { return lineJoin_; }
    void setLineJoinStyle(CGLineJoin join) { lineJoin_ = join; }

    // Paint the inside, or the outline, in the current context's fill or stroke colour. The
    // context's own graphics state is left as it was.
    void fill() const;
    void stroke() const;

private:
    enum class Kind { Move, Line, Curve, Arc, Close };
    struct Element {
        Kind kind;
        CGPoint points[3];  // Curve: end, control 1, control 2; Arc: centre
        CGFloat radius = 0, startAngle = 0, endAngle = 0;
        bool clockwise = false;
    };
    void addTo(CGContextRef context) const;

    std::vector<Element> elements_;
    CGFloat lineWidth_ = 1;
    CGLineCap lineCap_ = kCGLineCapButt;
    CGLineJoin lineJoin_ = kCGLineJoinMiter;
};
