// The composer's screen: a white page under its own bar, one line for each of To, Cc/Bcc and
// Subject, then the body.

#include "MessageUI/MFMailComposeViewController.h"

#include <cmath>

#include "UIKit/UISheetBar.h"
#include "UIKit/UIStatusBar.h"
#include "UIKit/UIStringDrawing.h"

namespace {

constexpr CGFloat kMargin = 15, kFieldHeight = 44;

Ref<UILabel> fieldLabel(UIColor* colour) {
    auto label = make<UILabel>();
    label->setTextColor(colour);
    return label;
}

std::string joined(const std::vector<std::string>& names) {
    std::string all;
    for (const auto& name : names) all += (all.empty() ? "" : ", ") + name;
    return all;
}

}  // namespace

UIButton* MFMailComposeViewController::cancelButton() const { return bar_ ? bar_->cancelButton() : nullptr; }
UIButton* MFMailComposeViewController::confirmButton() const { return bar_ ? bar_->confirmButton() : nullptr; }

void MFMailComposeViewController::loadView() {
    UIViewController::loadView();
    UIView* page = view();
    page->setBackgroundColor(UIColor::whiteColor());
    barBackground_ = make<UIView>();
    barBackground_->setBackgroundColor(UIColor::colorWithRed(0.97, 0.97, 0.97, 1));
    page->addSubview(barBackground_);
    bar_ = make<UISheetBar>();
    bar_->setConfirmTitle("Send");
    bar_->cancelButton()->addTarget(this, SELECTOR("cancel"), UIControlEventTouchUpInside);
    bar_->confirmButton()->addTarget(this, SELECTOR("send"), UIControlEventTouchUpInside);
    page->addSubview(bar_);
    Ref<UIColor> grey = UIColor::colorWithRed(0.557, 0.557, 0.576, 1);
    for (Field& field : fields_) {
        field = {fieldLabel(grey), fieldLabel(UIColor::blackColor()), make<UIView>()};
        field.line->setBackgroundColor(UISheetBar::lineColor());
        for (UIView* part : std::initializer_list<UIView*>{field.name, field.value, field.line}) page->addSubview(part);
    }
    bodyLabel_ = make<UILabel>();
    bodyLabel_->setNumberOfLines(0);
    page->addSubview(bodyLabel_);
}

// Each line: its name in grey, what it holds in black just after, a hairline along its foot from
// the margin to the edge.
void MFMailComposeViewController::viewWillLayoutSubviews() {
    const CGSize page = view()->bounds().size;
    barBackground_->setFrame(CGRectMake(0, 0, page.width, UIStatusBar::kHeight + UISheetBar::kHeight));
    bar_->setFrame(CGRectMake(0, UIStatusBar::kHeight, page.width, UISheetBar::kHeight));
    bar_->titleLabel()->setText(subject_);
    const std::pair<std::string, std::string> texts[] = {
        {"To:", " " + joined(recipients_)}, {"Cc/Bcc:", ""}, {"Subject:", " " + subject_}};
    CGFloat y = CGRectGetMaxY(bar_->frame());
    for (size_t i = 0; i < std::size(texts); ++i, y += kFieldHeight) {
        const Field& field = fields_[i];
        field.name->setText(texts[i].first);
        field.value->setText(texts[i].second);
        const CGFloat nameWidth = std::ceil(UITextWidth(texts[i].first, field.name->font()));
        field.name->setFrame(CGRectMake(kMargin, y, nameWidth, kFieldHeight));
        field.value->setFrame(CGRectMake(kMargin + nameWidth, y, page.width - 2 * kMargin - nameWidth, kFieldHeight));
        field.line->setFrame(CGRectMake(kMargin, y + kFieldHeight - 0.5, page.width - kMargin, 0.5));
    }
    bodyLabel_->setText(body_);
    bodyLabel_->setFrame(CGRectMake(kMargin, y + 12, page.width - 2 * kMargin, page.height - y - 24));
}
