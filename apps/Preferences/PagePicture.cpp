#include "PagePicture.h"

#include "Preferences/PSTableCell.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIStringDrawing.h"

namespace settings {
namespace {

constexpr double kBarBottom = 64;
constexpr double kMargin = 15;

void fill(CGContextRef c, CGRect rect, const UIColor* colour) {
    if (!colour) return;
    CGContextSetRGBFillColor(c, colour->red(), colour->green(), colour->blue(), colour->alpha());
    CGContextFillRect(c, rect);
}

void drawImage(CGContextRef c, const UIImage* image, CGRect rect) {
    if (!image) return;
    CGContextSaveGState(c);
    // Images land upright in this top-down context only with the axis flipped, as on the device.
    CGContextTranslateCTM(c, 0, rect.origin.y * 2 + rect.size.height);
    CGContextScaleCTM(c, 1, -1);
    CGContextDrawImage(c, rect, image->CGImage());
    CGContextRestoreGState(c);
}

// A view and its subviews as they stand: backgrounds, labels and pictures.
void drawView(CGContextRef c, const UIView* view, CGPoint origin) {
    if (!view || view->isHidden()) return;
    const CGRect f = view->frame();
    const CGRect at = CGRectMake(origin.x + f.origin.x, origin.y + f.origin.y, f.size.width, f.size.height);
    fill(c, at, view->backgroundColor());
    if (auto* label = objc_cast<UILabel>(view))
        UIDrawText(c, label->text(), at, label->font(), label->textColor(), label->textAlignment());
    if (auto* imageView = objc_cast<UIImageView>(view)) drawImage(c, imageView->image(), at);
    for (const auto& child : view->subviews()) drawView(c, child, at.origin);
}

void drawSwitch(CGContextRef c, const UISwitch* control, CGPoint topLeft) {
    UIColor* on = control->effectiveOnTintColor() ? control->effectiveOnTintColor()
                                                  : UIColor::colorWithRed(76 / 255.0, 217 / 255.0, 100 / 255.0, 1).get();
    UIColor* outline = control->effectiveTintColor() ? control->effectiveTintColor()
                                                     : UIColor::colorWithRed(0.9, 0.9, 0.9, 1).get();
    const CGRect track = CGRectMake(topLeft.x, topLeft.y, 51, 31);
    // On: filled with the on tint. Off: white inside the outline tint.
    UIColor* trackColour = control->isOn() ? on : UIColor::whiteColor();
    CGContextSetRGBFillColor(c, trackColour->red(), trackColour->green(), trackColour->blue(), trackColour->alpha());
    CGContextSetRGBStrokeColor(c, outline->red(), outline->green(), outline->blue(), outline->alpha());
    CGContextSetLineWidth(c, 1.5);
    CGContextAddRoundedRect(c, track, 15.5);
    CGContextDrawPath(c, control->isOn() ? kCGPathFill : kCGPathFillStroke);
    CGContextSetRGBStrokeColor(c, 0.8, 0.8, 0.8, 1);
    const double knobX = control->isOn() ? topLeft.x + 21.5 : topLeft.x + 1.5;
    CGContextSetRGBFillColor(c, 1, 1, 1, 1);
    CGContextSetLineWidth(c, 0.5);
    CGContextAddEllipseInRect(c, CGRectMake(knobX, topLeft.y + 1.5, 28, 28));
    CGContextDrawPath(c, kCGPathFillStroke);
}

void drawBar(CGContextRef c, const PageSummary& page) {
    fill(c, CGRectMake(0, 0, 320, kBarBottom), UIColor::colorWithRed(0.97, 0.97, 0.97, 1));
    fill(c, CGRectMake(0, kBarBottom - 0.5, 320, 0.5), UIColor::colorWithRed(0.7, 0.7, 0.7, 1));
    UIColor* titleColour = page.barTitleColour ? page.barTitleColour.get() : UIColor::blackColor();
    UIDrawText(c, page.title, CGRectMake(60, 20, 200, 44), UIFont::fontWithName("HelveticaNeue-Medium", 17), titleColour,
               NSTextAlignmentCenter);
    if (!page.controller) return;
    // Right items from the edge inwards; a fixed space moves the next item by its width.
    double right = 320 - 8;
    const auto& items = page.controller->navigationItem()->rightBarButtonItems();
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if ((*it)->systemItem() == UIBarButtonSystemItemFixedSpace) {
            right -= (*it)->width();
            continue;
        }
        auto* button = objc_cast<UIButton>((*it)->customView());
        if (!button) continue;
        const CGSize size = button->frame().size;
        right = std::min(right, 320.0);
        drawImage(c, button->backgroundImageForState(UIControlStateNormal),
                  CGRectMake(right - size.width, 20 + (44 - size.height) / 2, size.width, size.height));
        right -= size.width + 8;
    }
}

void drawRow(CGContextRef c, const RowSummary& row, double y) {
    fill(c, CGRectMake(0, y, 320, row.height), UIColor::whiteColor());
    fill(c, CGRectMake(kMargin, y + row.height - 0.5, 320 - kMargin, 0.5), UIColor::colorWithRed(0.8, 0.8, 0.8, 1));
    auto* cell = row.cellView;
    auto* standard = objc_cast<PSTableCell>(cell);
    // Cells that build their own layout (a person) are drawn as laid out; the others the standard way.
    if (cell && (!standard || standard->subviews().size() > 1)) {
        for (const auto& child : cell->subviews())
            if (child.get() != standard->contentView()) drawView(c, child, CGPointMake(0, y));
        if (standard->subviews().size() > 1) return;
    }
    double x = kMargin;
    if (auto* icon = objc_cast<UIImage>(row.specifier ? row.specifier->propertyForKey("iconImage") : nullptr)) {
        drawImage(c, icon, CGRectMake(x, y + (row.height - 29) / 2, 29, 29));
        x += 29 + kMargin;
    }
    UIColor* titleColour = row.titleColour ? row.titleColour.get() : UIColor::blackColor();
    UIDrawText(c, row.label.value_or(""), CGRectMake(x, y, 320 - x - 80, row.height), UIFont::fontWithName("HelveticaNeue", 17),
               titleColour, NSTextAlignmentLeft);
    if (auto* title = std::get_if<std::string>(&row.value))
        UIDrawText(c, *title + "  ›", CGRectMake(160, y, 320 - 160 - kMargin, row.height),
                   UIFont::fontWithName("HelveticaNeue", 17), UIColor::colorWithRed(0.56, 0.56, 0.58, 1), NSTextAlignmentRight);
    auto* control = standard ? objc_cast<PSSwitchTableCell>(standard) : nullptr;
    if (control && control->switchControl()) {
        drawSwitch(c, control->switchControl(), CGPointMake(320 - kMargin - 51, y + (row.height - 31) / 2));
    } else if (std::holds_alternative<bool>(row.value) && std::get<bool>(row.value)) {
        UIDrawText(c, "✓", CGRectMake(240, y, 320 - 240 - kMargin, row.height), UIFont::fontWithName("HelveticaNeue-Bold", 17),
                   UIView::defaultTintColor(), NSTextAlignmentRight);
    } else if (row.cell == "PSLinkCell" && row.specifier && row.specifier->detailControllerClass()) {
        UIDrawText(c, "›", CGRectMake(240, y, 320 - 240 - kMargin, row.height), UIFont::fontWithName("HelveticaNeue", 20),
                   UIColor::colorWithRed(0.78, 0.78, 0.8, 1), NSTextAlignmentRight);
    }
}

// A footer may hold line breaks: one line each. Returns the height used.
double drawFooter(CGContextRef c, const std::string& text, double y) {
    double used = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty())
            UIDrawText(c, line, CGRectMake(kMargin, y + 4 + used, 290, 18), UIFont::fontWithName("HelveticaNeue", 13),
                       UIColor::colorWithRed(0.43, 0.43, 0.45, 1), NSTextAlignmentLeft);
        used += 18;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return used + 8;
}

void drawSheet(CGContextRef c, const PresentedSummary& sheet) {
    fill(c, CGRectMake(0, 0, 320, 568), UIColor::colorWithRed(0, 0, 0, 0.4));
    fill(c, CGRectMake(10, 120, 300, 200), UIColor::whiteColor());
    auto font = UIFont::fontWithName("HelveticaNeue", 15);
    UIDrawText(c, sheet.className, CGRectMake(20, 130, 280, 24), UIFont::fontWithName("HelveticaNeue-Medium", 15),
               UIColor::blackColor(), NSTextAlignmentCenter);
    UIDrawText(c, sheet.subject.value_or(sheet.initialText.value_or("")), CGRectMake(20, 170, 280, 24), font,
               UIColor::darkGrayColor(), NSTextAlignmentLeft);
}

}  // namespace

Ref<UIImage> drawScreen(const ScreenSummary& screen) {
    UIGraphicsBeginImageContextWithOptions(UIScreen::mainScreen()->bounds().size, true, 0);
    CGContextRef c = UIGraphicsGetCurrentContext();
    fill(c, CGRectMake(0, 0, 320, 568), UIColor::colorWithRed(0.937, 0.937, 0.957, 1));
    double y = kBarBottom;
    const PageSummary& page = screen.page;
    if (page.header && page.header->view) {
        drawView(c, page.header->view, CGPointMake(-page.header->view->frame().origin.x, y - page.header->view->frame().origin.y));
        y += page.header->view->frame().size.height;
    }
    std::optional<std::string> pendingFooter;
    for (const RowSummary& row : page.rows) {
        if (y > 568) break;
        if (row.isGroup) {
            if (pendingFooter) y += drawFooter(c, *pendingFooter, y);
            pendingFooter = row.footer;
            y += row.label ? 14 : 22;
            if (row.label) {
                UIDrawText(c, *row.label, CGRectMake(kMargin, y, 290, 20), UIFont::fontWithName("HelveticaNeue", 13),
                           UIColor::colorWithRed(0.43, 0.43, 0.45, 1), NSTextAlignmentLeft);
                y += 24;
            }
            continue;
        }
        drawRow(c, row, y);
        y += row.height;
    }
    if (pendingFooter) drawFooter(c, *pendingFooter, y);
    drawBar(c, page);
    fill(c, CGRectMake(0, 0, 320, 20), UIColor::colorWithRed(0.97, 0.97, 0.97, 1));
    UIDrawText(c, "9:41 AM", CGRectMake(100, 0, 120, 20), UIFont::fontWithName("HelveticaNeue-Medium", 12),
               UIColor::blackColor(), NSTextAlignmentCenter);
    if (screen.presented) drawSheet(c, *screen.presented);
    Ref<UIImage> picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return picture;
}

}  // namespace settings
