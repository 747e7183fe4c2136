#include "Social/SLComposeViewController.h"

#include "SLComposeCardView.h"
#include "UIKit/UISheetBar.h"

OBJC_IMPLEMENTATION(SLComposeViewController,
    objc::method("cancel", [](id self, SEL) {
        static_cast<SLComposeViewController*>(self)->finish(SLComposeViewControllerResultCancelled);
    }),
    objc::method("post", [](id self, SEL) {
        static_cast<SLComposeViewController*>(self)->finish(SLComposeViewControllerResultDone);
    }))

namespace {

constexpr CGFloat kCardInset = 8, kCardTop = 74, kCardHeight = 206, kTextInset = 12;
constexpr long kCharacterLimit = 140;

// What the service calls itself on the sheet's bar.
std::string serviceName(const std::string& type) { return type == SLServiceTypeTwitter ? "Twitter" : ""; }

// Characters, not bytes: what the sheet counts down from the limit.
long characterCount(const std::string& text) {
    long count = 0;
    for (unsigned char byte : text) count += (byte & 0xC0) != 0x80;
    return count;
}

}  // namespace

Ref<SLComposeViewController> SLComposeViewController::composeViewControllerForServiceType(const std::string& type) {
    auto sheet = make<SLComposeViewController>();
    sheet->serviceType_ = type;
    return sheet;
}

bool SLComposeViewController::setInitialText(std::string text) {
    initialText_ = std::move(text);
    if (isViewLoaded()) view()->setNeedsLayout();
    return true;
}

UIButton* SLComposeViewController::cancelButton() const { return bar_ ? bar_->cancelButton() : nullptr; }
UIButton* SLComposeViewController::confirmButton() const { return bar_ ? bar_->confirmButton() : nullptr; }

void SLComposeViewController::loadView() {
    UIViewController::loadView();
    dimming_ = make<UIView>();
    dimming_->setBackgroundColor(UIColor::colorWithRed(0, 0, 0, 0.4));
    card_ = make<SLComposeCardView>();
    bar_ = make<UISheetBar>();
    bar_->setConfirmTitle("Post");
    bar_->cancelButton()->addTarget(this, SELECTOR("cancel"), UIControlEventTouchUpInside);
    bar_->confirmButton()->addTarget(this, SELECTOR("post"), UIControlEventTouchUpInside);
    text_ = make<UILabel>();
    text_->setNumberOfLines(0);
    counter_ = make<UILabel>();
    counter_->setFont(UIFont::fontWithName("HelveticaNeue", 14));
    counter_->setTextColor(UIColor::colorWithRed(0.557, 0.557, 0.576, 1));
    counter_->setTextAlignment(NSTextAlignmentRight);
    view()->addSubview(dimming_);
    view()->addSubview(card_);
    for (UIView* part : std::initializer_list<UIView*>{bar_, text_, counter_}) card_->addSubview(part);
}

void SLComposeViewController::viewWillLayoutSubviews() {
    const CGRect page = view()->bounds();
    dimming_->setFrame(page);
    card_->setFrame(CGRectMake(kCardInset, kCardTop, page.size.width - 2 * kCardInset, kCardHeight));
    const CGSize card = card_->bounds().size;
    bar_->setFrame(CGRectMake(0, 0, card.width, UISheetBar::kHeight));
    bar_->titleLabel()->setText(serviceName(serviceType_));
    const CGRect text = CGRectMake(kTextInset, UISheetBar::kHeight + 10, card.width - 2 * kTextInset,
                                   card.height - UISheetBar::kHeight - 40);
    text_->setFrame(text);
    text_->setText(initialText_);
    counter_->setFrame(CGRectMake(text.origin.x, card.height - 28, text.size.width, 20));
    counter_->setText(std::to_string(kCharacterLimit - characterCount(initialText_)));
}

void SLComposeViewController::finish(SLComposeViewControllerResult result) {
    Ref<SLComposeViewController> keep = this;  // the presenter lets go of it on dismissal
    dismissViewControllerAnimated(true, nullptr);
    if (completion_) completion_(result);
}
