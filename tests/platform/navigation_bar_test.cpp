// The navigation bar lays out and draws the top item; the navigation controller's view places it.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "UIKit/UIStringDrawing.h"
#include "ViewPicture.h"

using viewpicture::Pixel;

// Failed frame comparisons print the frames.
void PrintTo(const CGRect& r, std::ostream* out) {
    *out << r.origin.x << " " << r.origin.y << " " << r.size.width << " " << r.size.height;
}

namespace {

// A page whose view asks for more height than the screen has.
class TallView : public UIView {
    OBJC_INTERFACE(TallView, UIView)

public:
    TallView() = default;
    CGSize sizeThatFits(CGSize size) const override { return CGSizeMake(size.width, 900); }
};

Ref<UIViewController> page(const std::string& title) {
    auto controller = make<UIViewController>();
    controller->setTitle(title);
    return controller;
}

Ref<UIButton> button(CGFloat width, CGFloat height) {
    auto view = UIButton::buttonWithType(UIButtonTypeCustom);
    view->setFrame(CGRectMake(0, 0, width, height));
    return view;
}

// A 22 x 20 button after a fixed space of -16 points, as a page shows its heart.
Ref<UIButton> addHeart(UIViewController* controller) {
    auto heart = button(22, 20);
    auto spacer = UIBarButtonItem::initWithBarButtonSystemItem(UIBarButtonSystemItemFixedSpace, nullptr, nullptr);
    spacer->setWidth(-16);
    controller->navigationItem()->setRightBarButtonItems({spacer, UIBarButtonItem::initWithCustomView(heart)}, false);
    return heart;
}

// A window showing a navigation stack, laid out after each change.
struct Screen {
    explicit Screen(UIViewController* root) : navigation(UINavigationController::initWithRootViewController(root)) {
        window->setRootViewController(navigation);
        navigation->show();
        window->layoutToFitContent();
    }
    void push(UIViewController* controller) {
        navigation->pushViewController(controller, false);
        window->layoutToFitContent();
    }
    UINavigationBar* bar() const { return navigation->navigationBar(); }
    // The pixel at a point, drawn at scale 2.
    Pixel at(CGFloat x, CGFloat y) const {
        return viewpicture::draw(window, 2)->pixel(static_cast<int>(x * 2), static_cast<int>(y * 2));
    }

    Ref<UIWindow> window = make<UIWindow>();
    Ref<UINavigationController> navigation;
};

CGFloat backTextWidth(const std::string& title) {
    return std::ceil(UITextWidth(title, UIFont::fontWithName("HelveticaNeue", 17)));
}

const std::string kLongTitle = "A page title far too long for any back button";

}  // namespace

OBJC_IMPLEMENTATION(TallView)

TEST(NavigationBar, RightItemsStandFromTheMarginLeftwardsAndAFixedSpaceShiftsThem) {
    auto root = page("Corvane");
    auto heart = addHeart(root);
    Screen screen(root);
    EXPECT_EQ(heart->superview(), screen.bar());
    EXPECT_EQ(heart->frame(), CGRectMake(298, 12, 22, 20)) << "the -16 space puts it at the edge";

    auto wide = button(30, 30);
    auto other = page("Other");
    other->navigationItem()->setRightBarButtonItems(
        {UIBarButtonItem::initWithCustomView(wide), UIBarButtonItem::initWithCustomView(heart)}, false);
    screen.push(other);
    EXPECT_EQ(wide->frame(), CGRectMake(274, 7, 30, 30)) << "the first at the margin";
    EXPECT_EQ(heart->frame(), CGRectMake(244, 12, 22, 20)) << "the next 8 points to its left";

    screen.navigation->popViewControllerAnimated(false);
    screen.window->layoutToFitContent();
    EXPECT_EQ(wide->superview(), nullptr) << "the covered page's items leave the bar";
    EXPECT_EQ(heart->frame(), CGRectMake(298, 12, 22, 20));
}

TEST(NavigationBar, TheBackButtonIsNamedAfterTheCoveredPageAndStopsGrowing) {
    Screen screen(page(""));
    UINavigationBarBackButton* back = screen.bar()->backButton();
    EXPECT_TRUE(back->isHidden()) << "nothing to go back to";

    screen.push(page("Settings"));
    EXPECT_FALSE(back->isHidden());
    EXPECT_EQ(back->title(), "Back") << "the covered page has no title";
    EXPECT_EQ(back->frame(), CGRectMake(0, 0, 26 + backTextWidth("Back") + 8, 44));

    screen.push(page(kLongTitle));
    EXPECT_EQ(back->title(), "Settings");
    screen.push(page("Deeper"));
    EXPECT_EQ(back->title(), kLongTitle);
    EXPECT_EQ(back->frame().size.width, 134) << "the text's room stops at 100 points";
}

TEST(NavigationBar, TheTitleIsCentredInTheRoomTheWiderEndLeaves) {
    auto root = page("Corvane");
    addHeart(root);
    Screen screen(root);
    UILabel* title = screen.bar()->titleLabel();
    EXPECT_EQ(title->text(), "Corvane");
    EXPECT_EQ(title->frame(), CGRectMake(34, 0, 252, 44)) << "the heart's end leaves 30 points";

    root->setTitle(kLongTitle);
    screen.push(page("Pane"));
    EXPECT_EQ(title->frame(), CGRectMake(138, 0, 44, 44)) << "the back button's end leaves 134";

    EXPECT_EQ(title->textColor(), UIColor::blackColor());
    screen.bar()->setTitleTextAttributes(
        NSDictionary::dictionaryWithObjectsAndKeys({{NSForegroundColorAttributeName, Ref<NSObject>(UIColor::redColor())}}));
    screen.window->layoutToFitContent();
    EXPECT_EQ(title->textColor(), UIColor::redColor());
}

TEST(NavigationBar, ATouchOnTheBackButtonGoesBackAPage) {
    auto root = page("Settings");
    Screen screen(root);
    screen.push(page("Pane"));
    EXPECT_EQ(screen.window->hitTest(CGPointMake(160, 42), nullptr), screen.bar()) << "neither title nor background";
    UIView* hit = screen.window->hitTest(CGPointMake(30, 42), nullptr);
    ASSERT_EQ(hit, screen.bar()->backButton());
    objc_cast<UIControl>(hit)->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(screen.navigation->topViewController(), root.get());
}

TEST(NavigationBar, TheTitleGivesWayToAPresentedSheet) {
    auto root = page("Corvane");
    Screen screen(root);
    UILabel* title = screen.bar()->titleLabel();
    root->presentViewController(make<UIViewController>(), false, nullptr);
    screen.bar()->setNeedsLayout();  // the bar answers at its next layout
    screen.window->layoutToFitContent();
    EXPECT_TRUE(title->isHidden());
    root->dismissViewControllerAnimated(false, nullptr);
    screen.bar()->setNeedsLayout();
    screen.window->layoutToFitContent();
    EXPECT_FALSE(title->isHidden());
}

TEST(NavigationBar, TheBackChevronPointsLeftInTheBarTintOverTheBarBackground) {
    Screen screen(page("Settings"));
    screen.push(page("Pane"));
    const Pixel blue{0, 122, 255, 255}, red{255, 0, 0, 255}, line{179, 179, 179, 255};
    EXPECT_EQ(screen.at(10, 42), blue) << "the chevron's tip, at the left, in the default tint";
    EXPECT_NE(screen.at(18, 42), blue) << "nothing at its open end";
    EXPECT_EQ(screen.at(120, 1), (Pixel{248, 248, 248, 255})) << "the bar's grey runs under the status bar";
    EXPECT_EQ(screen.at(120, 63.75), line) << "the hairline along the bar's bottom";
    EXPECT_NE(screen.at(120, 64.25), line);

    screen.bar()->setTintColor(UIColor::redColor());
    EXPECT_EQ(screen.at(14, 37.5), red) << "the upper stroke";
}

TEST(NavigationBar, AWindowHoldingTheStackIsAsTallAsTheBarAndThePage) {
    auto tall = page("Long");
    tall->setView(make<TallView>());
    Screen screen(tall);
    EXPECT_EQ(screen.window->frame().size.height, 964);
    EXPECT_EQ(tall->view()->frame(), CGRectMake(0, 64, 320, 900));
    EXPECT_EQ(screen.bar()->frame(), CGRectMake(0, 20, 320, 44));
    EXPECT_EQ(screen.navigation->view()->subviews().back().get(), screen.bar()) << "the bar stays above the page";

    auto plain = page("Plain");
    screen.push(plain);
    EXPECT_EQ(screen.window->frame().size.height, 568) << "a page of the screen's size, after a longer one";
    EXPECT_EQ(plain->view()->frame(), CGRectMake(0, 64, 320, 504));
}
