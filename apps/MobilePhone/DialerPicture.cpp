#include "DialerPicture.h"

#include "UIKit/UIGraphics.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIStringDrawing.h"

namespace phone {
namespace {

void fillCircle(CGContextRef c, CGPoint centre, CGFloat diameter, const UIColor* colour) {
    if (!colour) return;
    CGContextSetRGBFillColor(c, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextFillEllipseInRect(c, CGRectMake(centre.x - diameter / 2, centre.y - diameter / 2, diameter, diameter));
}

// Light text on dark ground and the other way round; `lightest` is how light a ground may be and
// still carry white (the call button keeps white on its stock green).
UIColor* inkOver(const UIColor* ground, double lightest = 0.6) {
    if (!ground || ground->alpha() < 0.5) return UIColor::whiteColor();  // both backdrops are dark
    const double light = 0.3 * ground->red() + 0.59 * ground->green() + 0.11 * ground->blue();
    return light > lightest ? UIColor::blackColor() : UIColor::whiteColor();
}

void drawStatusBar(CGContextRef c, const Dialer& d) {
    if (d.statusBarHidden) return;
    UIGraphicsFillRect(c, DialerLayout::kStatusBar, d.statusBarColours->backgroundColor);
    UIColor* ink = d.statusBarColours->foregroundColor;  // none chosen: no text
    auto font = UIFont::fontWithName("HelveticaNeue-Medium", 12);
    UIDrawText(c, "Carrier", CGRectMake(6, 0, 120, 20), font, ink, NSTextAlignmentLeft);
    UIDrawText(c, "9:41 AM", CGRectMake(100, 0, 120, 20), font, ink, NSTextAlignmentCenter);
    UIDrawText(c, "100%", CGRectMake(194, 0, 120, 20), font, ink, NSTextAlignmentRight);
}

void drawKeypad(CGContextRef c, const Dialer& d) {
    UIGraphicsFillRect(c, DialerLayout::kNumberDisplay, d.lcdColor);
    UIDrawText(c, "555 0123", CGRectMake(20, 45, 280, 50), UIFont::fontWithName("HelveticaNeue-Light", 36),
               inkOver(d.lcdColor), NSTextAlignmentCenter);
    UIGraphicsFillRect(c, DialerLayout::kKeypad, d.dialerColor);
    UIColor* ink = inkOver(d.dialerColor);
    static const char* digits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "0", "#"};
    static const char* letters[] = {"", "ABC", "DEF", "GHI", "JKL", "MNO", "PQRS", "TUV", "WXYZ", "", "+", ""};
    const auto centres = DialerLayout::keyCentres();
    const CGFloat r = DialerLayout::kKeyDiameter / 2;
    for (size_t i = 0; i < centres.size(); ++i) {
        const CGPoint p = centres[i];
        fillCircle(c, p, DialerLayout::kKeyDiameter, d.keypadShape->fillColor);
        CGContextSetRGBStrokeColor(c, ink->red(), ink->green(), ink->blue(), 0.6);
        CGContextSetLineWidth(c, 1.5);
        CGContextAddEllipseInRect(c, CGRectMake(p.x - r, p.y - r, 2 * r, 2 * r));
        CGContextDrawPath(c, kCGPathStroke);
        UIDrawText(c, digits[i], CGRectMake(p.x - r, p.y - 26, 2 * r, 40), UIFont::fontWithName("HelveticaNeue-Thin", 34),
                   ink, NSTextAlignmentCenter);
        UIDrawText(c, letters[i], CGRectMake(p.x - r, p.y + 12, 2 * r, 14), UIFont::fontWithName("HelveticaNeue", 9),
                   ink, NSTextAlignmentCenter);
    }
    fillCircle(c, DialerLayout::kCallButtonCentre, DialerLayout::kCallButtonDiameter, d.callButton->backgroundColor);
    const CGPoint call = DialerLayout::kCallButtonCentre;
    UIDrawText(c, "Call", CGRectMake(call.x - 33, call.y - 10, 66, 20), UIFont::fontWithName("HelveticaNeue-Medium", 17),
               inkOver(d.callButton->backgroundColor, 0.8), NSTextAlignmentCenter);
}

void drawTabBar(CGContextRef c, const Dialer& d) {
    UIGraphicsFillRect(c, DialerLayout::kTabBar, UIColor::colorWithRed(0.97, 0.97, 0.97, 1));
    UIGraphicsFillRect(c, CGRectMake(0, DialerLayout::kTabBar.origin.y, 320, 0.5), UIColor::colorWithRed(0.7, 0.7, 0.7, 1));
    const auto centres = DialerLayout::tabGlyphCentres(d.tabs.size());
    const CGFloat width = d.tabs.empty() ? 320 : 320.0 / d.tabs.size();
    for (size_t i = 0; i < d.tabs.size(); ++i) {
        UIColor* tint = d.tabs[i]->currentContentTintColor();
        fillCircle(c, centres[i], 2 * DialerLayout::kTabGlyphRadius, tint);
        UIDrawText(c, d.tabs[i]->title, CGRectMake(i * width, 553, width, 12), UIFont::fontWithName("HelveticaNeue", 10),
                   tint, NSTextAlignmentCenter);
    }
}

}  // namespace

std::vector<CGPoint> DialerLayout::keyCentres() {
    std::vector<CGPoint> centres;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column) centres.push_back({73.0 + 87 * column, 152.0 + 82 * row});
    return centres;
}

std::vector<CGPoint> DialerLayout::tabGlyphCentres(size_t count) {
    std::vector<CGPoint> centres;
    for (size_t i = 0; i < count; ++i) centres.push_back({(i + 0.5) * 320.0 / count, 535});
    return centres;
}

Ref<UIColor> backdropColour(bool opaque) {
    return opaque ? UIColor::colorWithRed(0.11, 0.11, 0.12, 1) : UIColor::colorWithRed(0.33, 0.38, 0.62, 1);
}

Ref<UIImage> drawDialer(const Dialer& d) {
    const CGRect screen = UIScreen::mainScreen()->bounds();
    UIGraphicsBeginImageContextWithOptions(screen.size, true, 0);
    CGContextRef c = UIGraphicsGetCurrentContext();
    const bool opaque = d.application->isOpaque();
    UIGraphicsFillRect(c, screen, backdropColour(opaque));
    if (!opaque) {
        // The blurred wallpaper: a soft glow over the backdrop.
        UIGraphicsFillRect(c, CGRectMake(0, 0, 320, 284), UIColor::colorWithRed(0.45, 0.36, 0.58, 0.35));
    }
    drawStatusBar(c, d);
    drawKeypad(c, d);
    drawTabBar(c, d);
    Ref<UIImage> picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return picture;
}

}  // namespace phone
