#include "SheetPicture.h"

#include <cmath>

#include "PictureParts.h"
#include "ScreenStyle.h"
#include "UIKit/UIStringDrawing.h"

namespace settings {
namespace {

using namespace style;

// Characters, not bytes: what the share sheet counts down from 140.
long characterCount(const std::string& text) {
    long count = 0;
    for (unsigned char byte : text) count += (byte & 0xC0) != 0x80;
    return count;
}

void drawSheetBar(CGContextRef c, const SheetLayout& sheet, const std::string& title, const std::string& confirm) {
    UIColor* tint = UIView::defaultTintColor();
    UIDrawText(c, "Cancel", CGRectInset(sheet.cancel, 10, 0), barButtonFont(), tint, NSTextAlignmentCenter);
    UIDrawText(c, title, sheet.title, barTitleFont(), UIColor::blackColor(), NSTextAlignmentCenter);
    UIDrawText(c, confirm, CGRectInset(sheet.confirm, 10, 0), barDoneFont(), tint, NSTextAlignmentCenter);
    UIGraphicsFillRect(c, CGRectMake(sheet.card.origin.x, CGRectGetMaxY(sheet.cancel) - 0.5, sheet.card.size.width, 0.5), hairline());
}

void drawShareSheet(CGContextRef c, const PresentedSummary& presented, const SheetLayout& sheet, CGSize page) {
    UIGraphicsFillRect(c, CGRectMake(0, 0, page.width, page.height), UIColor::colorWithRed(0, 0, 0, 0.4));
    fillRounded(c, sheet.card, 8, grey(0.98));
    drawSheetBar(c, sheet, "Twitter", "Post");
    const std::string text = presented.initialText.value_or("");
    UIDrawWrappedText(c, text, sheet.text, rowFont(), UIColor::blackColor(), NSTextAlignmentLeft);
    const CGRect count = CGRectMake(sheet.text.origin.x, CGRectGetMaxY(sheet.card) - 28, sheet.text.size.width, 20);
    UIDrawText(c, std::to_string(140 - characterCount(text)), count, groupTextFont(), valueText(), NSTextAlignmentRight);
}

void drawMailComposer(CGContextRef c, const PresentedSummary& presented, const SheetLayout& sheet) {
    UIGraphicsFillRect(c, sheet.card, UIColor::whiteColor());
    UIGraphicsFillRect(c, CGRectMake(0, 0, sheet.card.size.width, kBarBottom), barBackground());
    drawSheetBar(c, sheet, presented.subject.value_or(""), "Send");
    for (const PlacedText& field : sheet.fields) {
        // The field's name in grey, what it holds in black.
        const size_t colon = field.text.find(':') + 1;
        const std::string name = field.text.substr(0, colon), value = field.text.substr(colon);
        const double nameWidth = std::ceil(UITextWidth(name, barButtonFont()));
        UIDrawText(c, name, field.frame, barButtonFont(), valueText(), NSTextAlignmentLeft);
        CGRect rest = field.frame;
        rest.origin.x += nameWidth;
        rest.size.width -= nameWidth;
        UIDrawText(c, value, rest, barButtonFont(), UIColor::blackColor(), NSTextAlignmentLeft);
        UIGraphicsFillRect(c, CGRectMake(kMargin, CGRectGetMaxY(field.frame) - 0.5, sheet.card.size.width - kMargin, 0.5), hairline());
    }
    UIDrawWrappedText(c, presented.body.value_or(""), sheet.text, rowFont(), UIColor::blackColor(), NSTextAlignmentLeft);
}

}  // namespace

void drawStatusBar(CGContextRef c, const UIColor* background) {
    UIGraphicsFillRect(c, CGRectMake(0, 0, kWidth, kStatusBar), background);
    auto font = UIFont::fontWithName("HelveticaNeue-Medium", 12);
    UIDrawText(c, "Carrier", CGRectMake(6, 0, 100, kStatusBar), font, UIColor::blackColor(), NSTextAlignmentLeft);
    UIDrawText(c, "9:41 AM", CGRectMake(100, 0, 120, kStatusBar), font, UIColor::blackColor(), NSTextAlignmentCenter);
    UIDrawText(c, "100%", CGRectMake(214, 0, 100, kStatusBar), font, UIColor::blackColor(), NSTextAlignmentRight);
}

void drawSheet(CGContextRef c, const PresentedSummary& presented, const SheetLayout& sheet, CGSize page) {
    switch (sheet.kind) {
        case SheetLayout::Kind::Share: return drawShareSheet(c, presented, sheet, page);
        case SheetLayout::Kind::Mail:
            drawMailComposer(c, presented, sheet);
            return drawStatusBar(c, barBackground());
        case SheetLayout::Kind::Other:
            UIGraphicsFillRect(c, CGRectMake(0, 0, page.width, page.height), UIColor::colorWithRed(0, 0, 0, 0.4));
            fillRounded(c, sheet.card, 8, UIColor::whiteColor());
            UIDrawText(c, presented.className, CGRectMake(sheet.card.origin.x, sheet.card.origin.y, sheet.card.size.width, 44),
                       barTitleFont(), UIColor::blackColor(), NSTextAlignmentCenter);
            return;
    }
}

}  // namespace settings
