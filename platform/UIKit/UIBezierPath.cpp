#include "UIKit/UIBezierPath.h"

#include <algorithm>
#include <cmath>

#include "UIKit/UIGraphics.h"

OBJC_IMPLEMENTATION(UIBezierPath)

Ref<UIBezierPath> UIBezierPath::bezierPathWithRect(CGRect rect) {
    auto path = bezierPath();
    const CGFloat x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
    path->moveToPoint({x, y});
    path->addLineToPoint({x + w, y});
    path->addLineToPoint({x + w, y + h});
    path->addLineToPoint({x, y + h});
    path->closePath();
    return path;
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithOvalInRect(CGRect rect) {
    auto path = bezierPath();
    // Four quarter curves; 0.5523 puts each curve's middle on the true ellipse.
    const CGFloat rx = rect.size.width / 2, ry = rect.size.height / 2, k = 0.5522847498;
    const CGFloat cx = rect.origin.x + rx, cy = rect.origin.y + ry;
    path->moveToPoint({cx + rx, cy});
    path->addCurveToPoint({cx, cy + ry}, {cx + rx, cy + k * ry}, {cx + k * rx, cy + ry});
    path->addCurveToPoint({cx - rx, cy}, {cx - k * rx, cy + ry}, {cx - rx, cy + k * ry});
    path->addCurveToPoint({cx, cy - ry}, {cx - rx, cy - k * ry}, {cx - k * rx, cy - ry});
    path->addCurveToPoint({cx + rx, cy}, {cx + k * rx, cy - ry}, {cx + rx, cy - k * ry});
    path->closePath();
    return path;
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithRoundedRect(CGRect rect, CGFloat cornerRadius) {
    const CGFloat x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
    const CGFloat r = std::clamp(cornerRadius, 0.0, std::min(w, h) / 2);
    auto path = bezierPath();
    path->moveToPoint({x + r, y});
    path->addArcWithCenter({x + w - r, y + r}, r, -M_PI / 2, 0, true);
    path->addArcWithCenter({x + w - r, y + h - r}, r, 0, M_PI / 2, true);
    path->addArcWithCenter({x + r, y + h - r}, r, M_PI / 2, M_PI, true);
    path->addArcWithCenter({x + r, y + r}, r, M_PI, 3 * M_PI / 2, true);
    path->closePath();
    return path;
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithArcCenter(CGPoint center, CGFloat radius, CGFloat startAngle,
                                                        CGFloat endAngle, bool clockwise) {
    auto path = bezierPath();
    path->addArcWithCenter(center, radius, startAngle, endAngle, clockwise);
    return path;
}

void UIBezierPath::moveToPoint(CGPoint point) { elements_.push_back({Kind::Move, {point}}); }

void UIBezierPath::addLineToPoint(CGPoint point) { elements_.push_back({Kind::Line, {point}}); }

void UIBezierPath::addCurveToPoint(CGPoint end, CGPoint controlPoint1, CGPoint controlPoint2) {
    elements_.push_back({Kind::Curve, {end, controlPoint1, controlPoint2}});
}

void UIBezierPath::addArcWithCenter(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                                    bool clockwise) {
    elements_.push_back({Kind::Arc, {center}, radius, startAngle, endAngle, clockwise});
}

void UIBezierPath::closePath() { elements_.push_back({Kind::Close, {}}); }

void UIBezierPath::addTo(CGContextRef c) const {
    for (const Element& e : elements_) {
        const CGPoint* p = e.points;
        switch (e.kind) {
            case Kind::Move: CGContextMoveToPoint(c, p[0].x, p[0].y); break;
            case Kind::Line: CGContextAddLineToPoint(c, p[0].x, p[0].y); break;
            case Kind::Curve: CGContextAddCurveToPoint(c, p[1].x, p[1].y, p[2].x, p[2].y, p[0].x, p[0].y); break;
            // The context's y axis points down, so the screen's clockwise is CoreGraphics's other way.
            case Kind::Arc: CGContextAddArc(c, p[0].x, p[0].y, e.radius, e.startAngle, e.endAngle, !e.clockwise); break;
            case Kind::Close: CGContextClosePath(c); break;
        }
    }
}

void UIBezierPath::fill() const {
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c || isEmpty()) return;
    CGContextSaveGState(c);
    addTo(c);
    CGContextDrawPath(c, kCGPathFill);
    CGContextRestoreGState(c);
}

void UIBezierPath::stroke() const {
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c || isEmpty()) return;
    CGContextSaveGState(c);
    CGContextSetLineWidth(c, lineWidth_);
    CGContextSetLineCap(c, lineCap_);
    CGContextSetLineJoin(c, lineJoin_);
    addTo(c);
    CGContextDrawPath(c, kCGPathStroke);
    CGContextRestoreGState(c);
}
