#include "SheetLayout.h"

#include <cmath>

#include "MessageUI/MFMailComposeViewController.h"
#include "ScreenStyle.h"
#include "Social/SLComposeViewController.h"
#include "UIKit/UIStringDrawing.h"

namespace settings {
namespace {

using namespace style;

constexpr double kBarHeight = 44, kFieldHeight = 44, kButtonPadding = 10;

// A bar of Cancel, a title and a confirming button across the top of `card`, `top` points down;
// each button as wide as its text, the title in the room between them.
void placeBar(SheetLayout& sheet, double top, const std::string& confirm) {
    const CGRect& c = sheet.card;
    const double cancelWidth = std::ceil(UITextWidth("Cancel", barButtonFont())) + 2 * kButtonPadding;
    const double confirmWidth = std::ceil(UITextWidth(confirm, barDoneFont())) + 2 * kButtonPadding;
    sheet.cancel = CGRectMake(c.origin.x, top, cancelWidth, kBarHeight);
    sheet.confirm = CGRectMake(CGRectGetMaxX(c) - confirmWidth, top, confirmWidth, kBarHeight);
    sheet.title = CGRectMake(CGRectGetMaxX(sheet.cancel), top, sheet.confirm.origin.x - CGRectGetMaxX(sheet.cancel), kBarHeight);
}

}  // namespace

std::vector<std::string> mailFieldTexts(const PresentedSummary& sheet) {
    std::string to = "To: ";
    for (size_t i = 0; sheet.recipients && i < sheet.recipients->size(); ++i) to += (i ? ", " : "") + (*sheet.recipients)[i];
    return {to, "Cc/Bcc:", "Subject: " + sheet.subject.value_or("")};
}

SheetLayout layoutSheet(const PresentedSummary& presented, CGSize page) {
    SheetLayout sheet;
    if (objc_cast<MFMailComposeViewController>(presented.controller)) {
        // The composer covers the screen: its own bar, then one line per field, then the body.
        sheet.kind = SheetLayout::Kind::Mail;
        sheet.card = CGRectMake(0, 0, page.width, page.height);
        placeBar(sheet, kStatusBar, "Send");
        double y = kBarBottom;
        for (auto& text : mailFieldTexts(presented)) {
            sheet.fields.push_back({text, CGRectMake(kMargin, y, page.width - 2 * kMargin, kFieldHeight)});
            y += kFieldHeight;
        }
        sheet.text = CGRectMake(kMargin, y + 12, page.width - 2 * kMargin, page.height - y - 24);
    } else if (objc_cast<SLComposeViewController>(presented.controller)) {
        // The share sheet is a card near the top of the screen, the page dimmed around it.
        sheet.kind = SheetLayout::Kind::Share;
        sheet.card = CGRectMake(8, 74, page.width - 16, 206);
        placeBar(sheet, sheet.card.origin.y, "Post");
        sheet.text = CGRectMake(sheet.card.origin.x + 12, sheet.card.origin.y + kBarHeight + 10,
                                sheet.card.size.width - 24, sheet.card.size.height - kBarHeight - 40);
    } else {
        sheet.card = CGRectMake(10, 120, page.width - 20, 200);
    }
    return sheet;
}

void addSheetTargets(std::vector<Target>& targets, const SheetLayout& sheet) {
    switch (sheet.kind) {
        case SheetLayout::Kind::Share:
            targets.push_back({"button", "Cancel", sheet.cancel, FingerAction::CloseSheet, 0});
            targets.push_back({"button", "Post", sheet.confirm, FingerAction::CloseSheet, 0});
            break;
        case SheetLayout::Kind::Mail:
            targets.push_back({"button", "Cancel", sheet.cancel, FingerAction::CancelMail, 0});
            targets.push_back({"button", "Send", sheet.confirm, FingerAction::SendMail, 0});
            break;
        case SheetLayout::Kind::Other: break;
    }
}

}  // namespace settings
