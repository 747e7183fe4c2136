#include "UIKit/UINavigationBar.h"

#include <algorithm>
#include <cmath>

#include "UIKit/UIGraphics.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIStatusBar.h"
#include "UIKit/UIStringDrawing.h"
#include "UIShapes.h"
#include "UISystemColours.h"

namespace {

constexpr CGFloat kBarHeight = 44;
constexpr CGFloat kEdge = 8;            // the least room left at either end, and the gap between items
constexpr CGFloat kRightMargin = 16;    // the first right item's distance from the right edge
constexpr CGFloat kTitlePadding = 4;    // between the title's room and what bounds it
constexpr CGFloat kBackTextX = 26, kBackTextMax = 100;

Ref<UIFont> buttonFont() { return UIFont::fontWithName("HelveticaNeue", 17); }

// Fills the bar and the status bar above it, with a hairline along the bottom.
class UINavigationBarBackground : public UIView {
    OBJC_INTERFACE(UINavigationBarBackground, UIView)

public:
    UINavigationBarBackground() {
        setBackgroundColor(UIBarBackgroundColour());
        setUserInteractionEnabled(false);
    }
    void drawRect(CGRect rect) override {
        UIGraphicsFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, CGRectGetMaxY(rect) - 0.5, rect.size.width, 0.5),
                           UIBarHairlineColour());
    }
};

}  // namespace

OBJC_IMPLEMENTATION(UINavigationBarBackground)
OBJC_IMPLEMENTATION(UINavigationBarBackButton)

// The back button's action: it asks the owning navigation controller to go back a page.
OBJC_IMPLEMENTATION(UINavigationBar, objc::method("backButtonTouched", [](id self, SEL) {
                        if (UINavigationController* controller = static_cast<UINavigationBar*>(self)->delegate())
                            controller->popViewControllerAnimated(true);
                    }))

CGFloat UINavigationBarBackButton::widthForTitle() const {
    return kBackTextX + std::min(std::ceil(UITextWidth(title_, buttonFont())), kBackTextMax) + kEdge;
}

void UINavigationBarBackButton::drawRect(CGRect rect) {
    CGContextRef c = UIGraphicsGetCurrentContext();
    UIColor* tint = tintColor();
    const CGRect chevron = CGRectMake(8, CGRectGetMidY(rect) - 10.5, 12, 21);
    UIDrawBackChevron(c, chevron, tint, 3);
    const CGRect text = CGRectMake(kBackTextX, 0, std::max<CGFloat>(0, rect.size.width - kBackTextX - kEdge), rect.size.height);
    UIDrawText(c, title_, text, buttonFont(), tint, NSTextAlignmentLeft);
}

UINavigationBar::UINavigationBar()
    : UIView(CGRectMake(0, UIStatusBar::kHeight, UIScreen::mainScreen()->bounds().size.width, kBarHeight)),
      background_(make<UINavigationBarBackground>()),
      backButton_(make<UINavigationBarBackButton>()),
      titleLabel_(make<UILabel>()) {
    backButton_->setHidden(true);
    backButton_->addTarget(this, sel_registerName("backButtonTouched"), UIControlEventTouchUpInside);
    titleLabel_->setFont(UIFont::fontWithName("HelveticaNeue-Medium", 17));
    titleLabel_->setTextAlignment(NSTextAlignmentCenter);
    addSubview(background_);
    addSubview(backButton_);
    addSubview(titleLabel_);
}

UIColor* UINavigationBar::titleColor() const {
    return titleTextAttributes_ ? objc_cast<UIColor>(titleTextAttributes_->objectForKey(NSForegroundColorAttributeName))
                                : nullptr;
}

void UINavigationBar::setTitleTextAttributes(NSDictionary* attributes) {
    titleTextAttributes_ = attributes;
    setNeedsLayout();
}

void UINavigationBar::setItems(std::vector<Ref<UINavigationItem>> items, bool) {
    items_ = std::move(items);
    setNeedsLayout();
}

void UINavigationBar::setDelegate(UINavigationController* controller) {
    delegate_ = controller;
    setNeedsLayout();
}

void UINavigationBar::layoutSubviews() {
    const CGRect all = bounds();
    background_->setFrame(CGRectMake(0, -UIStatusBar::kHeight, all.size.width, all.size.height + UIStatusBar::kHeight));
    CGFloat left = kEdge;
    UINavigationItem* back = backItem();
    backButton_->setHidden(!back);
    if (back) {
        backButton_->setTitle(back->title().empty() ? "Back" : back->title());
        backButton_->setFrame(CGRectMake(0, 0, backButton_->widthForTitle(), all.size.height));
        left = CGRectGetMaxX(backButton_->frame());
    }
    layOutTitle(left, layOutRightItems());
}

// The views of the top item's right-hand items stand from the right margin leftwards, in order, each
// centred in the bar. A fixed space, even a negative one, moves the items after it by its width.
// Returns where the leftmost item's room ends.
CGFloat UINavigationBar::layOutRightItems() {
    std::vector<UIView*> views;
    std::vector<CGRect> frames;
    const CGFloat height = bounds().size.height;
    CGFloat right = bounds().size.width - kRightMargin;
    if (UINavigationItem* top = topItem())
        for (const auto& item : top->rightBarButtonItems()) {
            if (item->systemItem() == UIBarButtonSystemItemFixedSpace) {
                right -= item->width();
                continue;
            }
            UIView* view = item->customView();
            if (!view) continue;
            const CGSize size = view->frame().size;
            views.push_back(view);
            frames.push_back(CGRectMake(right - size.width, (height - size.height) / 2, size.width, size.height));
            right -= size.width + kEdge;
        }
    installItemViews(views);
    for (size_t i = 0; i < views.size(); ++i) views[i]->setFrame(frames[i]);
    return right;
}

// Only a change of items touches the subviews, so a settled bar does not mark itself for layout again.
void UINavigationBar::installItemViews(const std::vector<UIView*>& views) {
    const bool same = std::equal(views.begin(), views.end(), itemViews_.begin(), itemViews_.end(),
                                 [](UIView* view, const Ref<UIView>& installed) { return view == installed.get(); });
    if (same) return;
    for (const auto& view : itemViews_)
        if (view->superview() == this) view->removeFromSuperview();
    itemViews_.assign(views.begin(), views.end());
    for (UIView* view : views) addSubview(view);
}

// The title is centred on the bar in the room both ends leave it, the wider end deciding. It gives
// way to a sheet presented over the page.
void UINavigationBar::layOutTitle(CGFloat left, CGFloat right) {
    const CGFloat width = bounds().size.width;
    const CGFloat side = std::max({left, width - std::min(right, width - kEdge), kEdge}) + kTitlePadding;
    titleLabel_->setFrame(CGRectMake(side, 0, std::max<CGFloat>(0, width - 2 * side), bounds().size.height));
    titleLabel_->setText(topItem() ? topItem()->title() : "");
    titleLabel_->setTextColor(titleColor());
    titleLabel_->setHidden(delegate_ && delegate_->presentedViewController());
}
