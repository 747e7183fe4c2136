#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CoreGraphics/CGImage.h"
#include "Foundation/NSString.h"
#include "UIKit/UIKit.h"
#include "objc/message.h"

namespace {

// A view that counts its layouts and records the tint it saw each time, as tinted cells do.
class LayoutCounter : public UIView {
    OBJC_INTERFACE(LayoutCounter, UIView)

public:
    LayoutCounter() = default;
    void layoutSubviews() override {
        ++layouts;
        seenTint = tintColor();
    }
    int layouts = 0;
    UIColor* seenTint = nullptr;
};

// A cell whose initialiser is reached by name, as the settings framework creates product cells.
class CaptionCell : public UITableViewCell {
    OBJC_INTERFACE(CaptionCell, UITableViewCell)

public:
    CaptionCell() = default;
    UITableViewCell* initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) override {
        if (!UITableViewCell::initWithStyle(style, reuseIdentifier)) return nullptr;
        textLabel()->setText("caption");
        return this;
    }
};

Ref<UIImage> blankImage(int pixelWidth, int pixelHeight, CGFloat scale) {
    return UIImage::imageWithCGImage(CGImage::create(pixelWidth, pixelHeight), scale);
}

bool sameFrame(CGRect a, CGRect b) {
    return a.origin.x == b.origin.x && a.origin.y == b.origin.y && a.size.width == b.size.width &&
           a.size.height == b.size.height;
}

}  // namespace

OBJC_IMPLEMENTATION(LayoutCounter)
OBJC_IMPLEMENTATION(CaptionCell)

TEST(UIView, TintIsOwnElseInheritedElseTheDefaultBlue) {
    auto outer = make<UIView>(), inner = make<UIView>(), leaf = make<UIView>();
    outer->addSubview(inner);
    inner->addSubview(leaf);
    UIColor* blue = UIView::defaultTintColor();
    EXPECT_EQ(leaf->tintColor(), blue);
    EXPECT_EQ(blue->green(), 0.478431) << "the decimal green, not 122/255";
    outer->setTintColor(UIColor::darkGrayColor());
    EXPECT_EQ(leaf->tintColor(), UIColor::darkGrayColor());
    inner->setTintColor(UIColor::redColor());
    EXPECT_EQ(leaf->tintColor(), UIColor::redColor()) << "the nearest tint wins";
    inner->setTintColor(nullptr);
    EXPECT_EQ(leaf->tintColor(), UIColor::darkGrayColor()) << "nil returns to inheriting";
    EXPECT_EQ(inner->ownTintColor(), nullptr);
    leaf->removeFromSuperview();
    EXPECT_EQ(leaf->tintColor(), blue);
    EXPECT_TRUE(inner->subviews().empty());
}

TEST(UIView, TintColorIsAnsweredByName) {
    auto view = make<UIView>();
    ASSERT_TRUE(view->respondsToSelector(SELECTOR("tintColor")));
    objc_msgSend<void(id)>(view, SELECTOR("setTintColor:"), static_cast<id>(UIColor::brownColor()));
    EXPECT_EQ(objc_msgSend<id()>(view, SELECTOR("tintColor")), UIColor::brownColor());
}

TEST(UIView, AddSubviewReparentsAndRefusesCycles) {
    auto first = make<UIView>(), second = make<UIView>(), child = make<UIView>();
    first->addSubview(child);
    second->addSubview(child);
    EXPECT_TRUE(first->subviews().empty());
    ASSERT_EQ(second->subviews().size(), 1u);
    EXPECT_EQ(child->superview(), second.get());

    child->addSubview(second);  // second is child's ancestor
    EXPECT_TRUE(child->subviews().empty());
    child->addSubview(child);
    EXPECT_TRUE(child->subviews().empty());
    EXPECT_EQ(second->superview(), nullptr);
}

TEST(UIView, SubviewsOutliveTheirSuperviewWithoutADanglingLink) {
    auto child = make<UIView>();
    {
        auto parent = make<UIView>();
        parent->addSubview(child);
    }
    EXPECT_EQ(child->superview(), nullptr);
    EXPECT_EQ(child->tintColor(), UIView::defaultTintColor());
}

TEST(UIViewLayout, RunsOnceUntilSomethingAsksAgain) {
    auto root = make<UIView>();
    auto cell = make<LayoutCounter>();
    root->addSubview(cell);
    root->layoutIfNeeded();
    EXPECT_EQ(cell->layouts, 1);
    root->layoutIfNeeded();
    EXPECT_EQ(cell->layouts, 1) << "nothing changed";

    cell->setNeedsLayout();
    root->layoutIfNeeded();
    EXPECT_EQ(cell->layouts, 2);

    cell->setFrame(CGRectMake(7, 7, 0, 0));  // a move without resizing
    root->layoutIfNeeded();
    EXPECT_EQ(cell->layouts, 2);
    cell->setFrame(CGRectMake(7, 7, 320, 44));
    root->layoutIfNeeded();
    EXPECT_EQ(cell->layouts, 3);
}

TEST(UIViewLayout, ATintChangeReachesDescendantsAtTheirNextLayout) {
    auto page = make<UIView>(), table = make<UIView>();
    auto cell = make<LayoutCounter>();
    page->addSubview(table);
    table->addSubview(cell);
    page->layoutIfNeeded();
    EXPECT_EQ(cell->seenTint, UIView::defaultTintColor());

    page->setTintColor(UIColor::darkGrayColor());
    page->layoutIfNeeded();
    EXPECT_EQ(cell->seenTint, UIColor::darkGrayColor());
    page->setTintColor(nullptr);
    page->layoutIfNeeded();
    EXPECT_EQ(cell->seenTint, UIView::defaultTintColor());

    auto tintedPage = make<UIView>();
    tintedPage->setTintColor(UIColor::redColor());
    tintedPage->layoutIfNeeded();
    tintedPage->addSubview(table);  // moved under another tint
    tintedPage->layoutIfNeeded();
    EXPECT_EQ(cell->seenTint, UIColor::redColor());
}

TEST(UIViewLayout, ADimmedSubtreeShowsGreyOverAnyTintUntilAViewBelowAsksForNormal) {
    auto page = make<UIView>(), table = make<UIView>(), keep = make<UIView>();
    auto cell = make<LayoutCounter>();
    page->addSubview(table);
    table->addSubview(cell);
    page->addSubview(keep);
    cell->setTintColor(UIColor::redColor());
    page->layoutIfNeeded();
    EXPECT_EQ(cell->tintAdjustmentMode(), UIViewTintAdjustmentModeNormal) << "automatic at the root";

    page->setTintAdjustmentMode(UIViewTintAdjustmentModeDimmed);
    keep->setTintAdjustmentMode(UIViewTintAdjustmentModeNormal);
    page->layoutIfNeeded();
    EXPECT_EQ(cell->tintAdjustmentMode(), UIViewTintAdjustmentModeDimmed);
    EXPECT_EQ(cell->seenTint, UIView::dimmedTintColor()) << "its own red is dimmed too, at the next layout";
    EXPECT_EQ(keep->tintColor(), UIView::defaultTintColor()) << "a view set to Normal is not";

    page->setTintAdjustmentMode(UIViewTintAdjustmentModeAutomatic);
    page->layoutIfNeeded();
    EXPECT_EQ(cell->seenTint, UIColor::redColor());
}

TEST(UILabel, NilFontAndColourReturnToThePlatformDefaults) {
    auto label = make<UILabel>(CGRectMake(0, 17, 320, 50));
    EXPECT_EQ(label->font()->pointSize(), 17);
    EXPECT_EQ(label->textColor(), UIColor::blackColor());
    EXPECT_FALSE(label->hasCustomTextColor());

    label->setFont(UIFont::fontWithName("HelveticaNeue-Light", 48));
    EXPECT_EQ(label->font()->fontName(), "HelveticaNeue-Light");
    label->setFont(UIFont::fontWithName("No Such Font", 48));
    EXPECT_EQ(label->font()->pointSize(), 17) << "an unknown font leaves the default, not the previous one";

    label->setTextColor(UIColor::grayColor());
    EXPECT_TRUE(label->hasCustomTextColor());
    label->setTextColor(nullptr);
    EXPECT_EQ(label->textColor(), UIColor::blackColor());
    EXPECT_EQ(NSTextAlignmentCenter, 1);
}

TEST(UIImageView, TakesTheImagesPointSizeOnlyWhenCreatedWithIt) {
    auto view = make<UIImageView>(blankImage(58, 40, 2));
    EXPECT_TRUE(sameFrame(view->frame(), CGRectMake(0, 0, 29, 20)));
    view->setFrame(CGRectMake(9, 18, 65, 65));
    view->setImage(blankImage(10, 10, 1));
    EXPECT_TRUE(sameFrame(view->frame(), CGRectMake(9, 18, 65, 65)));

    auto empty = make<UIImageView>(static_cast<UIImage*>(nullptr));
    EXPECT_TRUE(sameFrame(empty->frame(), CGRectMake(0, 0, 0, 0)));
    EXPECT_EQ(empty->image(), nullptr);
}

TEST(UITableView, HeaderViewIsReplacedAndRemoved) {
    auto table = make<UITableView>(CGRectMake(0, 0, 320, 568));
    auto first = make<UIView>(), second = make<UIView>();
    table->setTableHeaderView(first);
    table->setTableHeaderView(first);
    EXPECT_EQ(table->subviews().size(), 1u);
    table->setTableHeaderView(second);
    EXPECT_EQ(first->superview(), nullptr);
    EXPECT_EQ(table->tableHeaderView(), second.get());
    table->setTableHeaderView(nullptr);
    EXPECT_TRUE(table->subviews().empty());
    EXPECT_EQ(table->tableHeaderView(), nullptr);
}

TEST(UITableViewCell, InitialiserSentByNameRunsTheSubclassOverride) {
    Ref<NSObject> instance = CaptionCell::class_()->createInstance();
    auto reuse = NSString::string("PSLinkCell");
    id cell = objc_msgSend<id(NSInteger, id)>(instance, SELECTOR("initWithStyle:reuseIdentifier:"),
                                              NSInteger{UITableViewCellStyleValue1}, static_cast<id>(reuse.get()));
    auto* caption = objc_cast<CaptionCell>(cell);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->textLabel()->text(), "caption");
    EXPECT_EQ(caption->reuseIdentifier(), "PSLinkCell");
    EXPECT_EQ(caption->style(), UITableViewCellStyleValue1);
    EXPECT_TRUE(caption->textLabel()->isDescendantOfView(caption->contentView()));
}

TEST(UITableViewCell, LayoutFitsTheContentAndPlacesTheTitleAfterTheIcon) {
    auto cell = make<UITableViewCell>();
    cell->initWithStyle(UITableViewCellStyleDefault, "");
    cell->textLabel()->setText("Settings");
    cell->setFrame(CGRectMake(0, 100, 320, 60));
    cell->layoutIfNeeded();
    EXPECT_TRUE(sameFrame(cell->contentView()->frame(), CGRectMake(0, 0, 320, 60)));
    EXPECT_EQ(cell->textLabel()->frame().origin.x, 15);

    cell->imageView()->setImage(blankImage(58, 58, 2));
    cell->setNeedsLayout();
    cell->layoutIfNeeded();
    EXPECT_TRUE(sameFrame(cell->imageView()->frame(), CGRectMake(15, 15.5, 29, 29)));
    EXPECT_EQ(cell->textLabel()->frame().origin.x, 59);
    EXPECT_EQ(cell->textLabel()->frame().size.width, 320 - 59 - 15);
}
