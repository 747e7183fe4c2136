#include "PagePicture.h"

#include "PictureParts.h"
#include "Preferences/PSTableCell.h"
#include "ScreenStyle.h"
#include "SheetPicture.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIStringDrawing.h"

namespace settings {
namespace {

using namespace style;

void drawHairline(CGContextRef c, double x, double y) { UIGraphicsFillRect(c, CGRectMake(x, y - 0.5, kWidth - x, 0.5), hairline()); }

void drawCustomCell(CGContextRef c, const PlacedRow& placed) {
    UITableViewCell* cell = placed.row->cellView;
    UIView* content = cell->contentView();
    for (const auto& child : cell->subviews())
        if (child.get() != content) drawView(c, child, placed.frame.origin);
}

void drawRow(CGContextRef c, const PlacedRow& placed) {
    const RowSummary& row = *placed.row;
    const CGRect& f = placed.frame;
    UIGraphicsFillRect(c, f, UIColor::whiteColor());
    if (placed.firstInGroup) drawHairline(c, 0, f.origin.y + 0.5);
    drawHairline(c, placed.lastInGroup ? 0 : placed.separatorInset, CGRectGetMaxY(f));
    if (placed.customLayout) return drawCustomCell(c, placed);
    if (!CGRectIsEmpty(placed.icon))
        drawImage(c, objc_cast<UIImage>(row.specifier->propertyForKey("iconImage")), placed.icon);
    UIDrawText(c, row.label.value_or(""), placed.label, rowFont(), row.titleColour ? row.titleColour.get() : UIColor::blackColor(),
               NSTextAlignmentLeft);
    if (auto* title = std::get_if<std::string>(&row.value))
        UIDrawText(c, *title, placed.value, rowFont(), valueText(), NSTextAlignmentRight);
    switch (placed.accessoryKind) {
        case PlacedRow::Accessory::Switch:
            drawSwitch(c, objc_cast<PSSwitchTableCell>(row.cellView)->switchControl(), placed.accessory);
            break;
        case PlacedRow::Accessory::Chevron: drawChevron(c, placed.accessory, true, chevron(), 2); break;
        case PlacedRow::Accessory::Check: drawCheck(c, placed.accessory, row.cellView->tintColor()); break;
        case PlacedRow::Accessory::None: break;
    }
}

void drawBar(CGContextRef c, const PageSummary& page, const BarLayout& bar) {
    UIGraphicsFillRect(c, CGRectMake(0, kStatusBar, kWidth, kBarBottom - kStatusBar), barBackground());
    UIGraphicsFillRect(c, CGRectMake(0, kBarBottom - 0.5, kWidth, 0.5), grey(0.7));
    UIColor* tint = page.barTint ? page.barTint.get() : UIView::defaultTintColor();
    UIDrawText(c, bar.title, bar.titleFrame, barTitleFont(), page.barTitleColour ? page.barTitleColour.get() : UIColor::blackColor(),
               NSTextAlignmentCenter);
    if (bar.backTitle) {
        const CGRect& back = bar.backFrame;
        drawChevron(c, CGRectMake(8, CGRectGetMidY(back) - 10.5, 12, 21), false, tint, 3);
        UIDrawText(c, *bar.backTitle, CGRectMake(26, back.origin.y, back.size.width - 34, back.size.height), barButtonFont(), tint,
                   NSTextAlignmentLeft);
    }
    for (const auto& placed : bar.rightItems) {
        if (auto* button = objc_cast<UIButton>(placed.item->customView()))
            drawImage(c, button->backgroundImageForState(UIControlStateNormal), placed.frame);
        else
            drawView(c, placed.item->customView(), CGPointMake(placed.frame.origin.x - placed.item->customView()->frame().origin.x,
                                                               placed.frame.origin.y - placed.item->customView()->frame().origin.y));
    }
}

void drawPage(CGContextRef c, const PageSummary& page, const ScreenLayout& layout) {
    if (UIView* header = page.header ? page.header->view : nullptr)
        drawView(c, header, CGPointMake(-header->frame().origin.x, layout.header.origin.y - header->frame().origin.y));
    for (const PlacedText& text : layout.groupHeaders) UIDrawText(c, text.text, text.frame, groupTextFont(), groupText(), NSTextAlignmentLeft);
    for (const PlacedRow& placed : layout.rows) drawRow(c, placed);
    for (const PlacedText& text : layout.groupFooters)
        UIDrawWrappedText(c, text.text, text.frame, groupTextFont(), groupText(), NSTextAlignmentLeft);
}

}  // namespace

Ref<UIImage> drawScreen(const ScreenSummary& screen, const ScreenLayout& layout) {
    UIGraphicsBeginImageContextWithOptions(layout.size, true, 0);
    CGContextRef c = UIGraphicsGetCurrentContext();
    UIGraphicsFillRect(c, CGRectMake(0, 0, layout.size.width, layout.size.height), pageBackground());
    drawPage(c, screen.page, layout);
    drawBar(c, screen.page, layout.bar);
    drawStatusBar(c, barBackground());
    if (screen.presented && layout.sheet) drawSheet(c, *screen.presented, *layout.sheet, layout.size);
    Ref<UIImage> picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return picture;
}

}  // namespace settings
