#include "TabGlyphs.h"

#include <cmath>

#include "UIKit/UIBezierPath.h"

OBJC_IMPLEMENTATION(TabGlyph)

namespace {

constexpr CGFloat kLine = 1.5;

Ref<UIBezierPath> lined(Ref<UIBezierPath> path) {
    path->setLineWidth(kLine);
    path->setLineCapStyle(kCGLineCapRound);
    path->setLineJoinStyle(kCGLineJoinRound);
    return path;
}

Ref<UIBezierPath> circle(CGPoint c, CGFloat r) {
    return UIBezierPath::bezierPathWithOvalInRect(CGRectMake(c.x - r, c.y - r, 2 * r, 2 * r));
}

// Five points, the top one upright.
void star(CGPoint c) {
    auto path = lined(UIBezierPath::bezierPath());
    for (int i = 0; i < 10; ++i) {
        const CGFloat r = i % 2 ? 4.5 : 11, angle = (-90 + 36 * i) * M_PI / 180;
        const CGPoint p{c.x + r * std::cos(angle), c.y + r * std::sin(angle)};
        i ? path->addLineToPoint(p) : path->moveToPoint(p);
    }
    path->closePath();
    path->stroke();
}

// A face with the hands at three o'clock.
void clock(CGPoint c) {
    lined(circle(c, 10.5))->stroke();
    auto hands = lined(UIBezierPath::bezierPath());
    hands->moveToPoint({c.x, c.y - 6.5});
    hands->addLineToPoint(c);
    hands->addLineToPoint({c.x + 4.5, c.y});
    hands->stroke();
}

// A head over the curve of the shoulders.
void person(CGPoint c) {
    lined(circle({c.x, c.y - 5}, 4.5))->stroke();
    lined(UIBezierPath::bezierPathWithArcCenter({c.x, c.y + 10.5}, 8.5, M_PI, 2 * M_PI, true))->stroke();
}

// Twelve dots, three by four.
void keypad(CGPoint c) {
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column)
            circle({c.x + 7 * (column - 1), c.y + 6.5 * (row - 1.5)}, 2.4)->fill();
}

// Two reels joined along the bottom.
void voicemail(CGPoint c) {
    constexpr CGFloat kApart = 4.75, kReel = 3.75;
    lined(circle({c.x - kApart, c.y}, kReel))->stroke();
    lined(circle({c.x + kApart, c.y}, kReel))->stroke();
    auto tape = lined(UIBezierPath::bezierPath());
    tape->moveToPoint({c.x - kApart, c.y + kReel});
    tape->addLineToPoint({c.x + kApart, c.y + kReel});
    tape->stroke();
}

}  // namespace

void TabGlyph::drawRect(CGRect rect) {
    UIColor* ink = tintColor();
    ink->set();
    const CGPoint c{CGRectGetMidX(rect), CGRectGetMidY(rect)};
    switch (kind_) {
        case Kind::Star: star(c); break;
        case Kind::Clock: clock(c); break;
        case Kind::Person: person(c); break;
        case Kind::Keypad: keypad(c); break;
        case Kind::Voicemail: voicemail(c); break;
    }
}
