#include <gtest/gtest.h>

#include <string>

#include "UIKit/UIKit.h"
#include "objc/message.h"

namespace {

// Receives actions in both shapes UIKit allows, and has one method of another shape.
class ActionTarget : public NSObject {
    OBJC_INTERFACE(ActionTarget, NSObject)

public:
    ActionTarget() = default;
    int plainCalls = 0;
    int senderCalls = 0;
    NSObject* lastSender = nullptr;
};

// Containers for the switch appearance: two unrelated pages, a subclass of one, and a view class.
class SwitchPageA : public UIViewController {
    OBJC_INTERFACE(SwitchPageA, UIViewController)
public:
    SwitchPageA() = default;
};
class SwitchPageB : public UIViewController {
    OBJC_INTERFACE(SwitchPageB, UIViewController)
public:
    SwitchPageB() = default;
};
class SwitchPageASub : public SwitchPageA {
    OBJC_INTERFACE(SwitchPageASub, SwitchPageA)
public:
    SwitchPageASub() = default;
};
class SwitchGroupView : public UIView {
    OBJC_INTERFACE(SwitchGroupView, UIView)
public:
    SwitchGroupView() = default;
};
class SwitchPageC : public UIViewController {
    OBJC_INTERFACE(SwitchPageC, UIViewController)
public:
    SwitchPageC() = default;
};

// A switch inside a cell inside the page's view, as a settings row holds it.
Ref<UISwitch> switchInside(UIViewController* page) {
    auto cell = make<UITableViewCell>();
    auto toggle = make<UISwitch>();
    cell->contentView()->addSubview(toggle);
    page->view()->addSubview(cell);
    return toggle;
}

}  // namespace

OBJC_IMPLEMENTATION(ActionTarget,
    objc::method("tapped", [](id self, SEL) { ++static_cast<ActionTarget*>(self)->plainCalls; }),
    objc::method("tappedBy:", [](id self, SEL, id sender) {
        auto* target = static_cast<ActionTarget*>(self);
        ++target->senderCalls;
        target->lastSender = sender;
    }),
    objc::method("countTo:", [](id, SEL, int) {}))
OBJC_IMPLEMENTATION(SwitchPageA)
OBJC_IMPLEMENTATION(SwitchPageB)
OBJC_IMPLEMENTATION(SwitchPageASub)
OBJC_IMPLEMENTATION(SwitchGroupView)
OBJC_IMPLEMENTATION(SwitchPageC)

TEST(TargetAction, ActionsTakeNothingOrTheSenderAndRunOnlyForTheirEvents) {
    auto target = make<ActionTarget>();
    const uint32_t retained = target->retainCount();
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->addTarget(target, SELECTOR("tapped"), UIControlEventTouchUpInside);
    button->addTarget(target, SELECTOR("tappedBy:"), UIControlEventTouchUpInside | UIControlEventValueChanged);
    button->addTarget(target, SELECTOR("tapped"), UIControlEventTouchUpInside);  // no second registration
    EXPECT_EQ(target->retainCount(), retained) << "targets are not owned";

    button->sendActionsForControlEvents(UIControlEventTouchDown);
    EXPECT_EQ(target->plainCalls + target->senderCalls, 0);
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(target->plainCalls, 1);
    EXPECT_EQ(target->senderCalls, 1);
    EXPECT_EQ(target->lastSender, button.get());
    button->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(target->plainCalls, 1);
    EXPECT_EQ(target->senderCalls, 2);

    button->removeTarget(target, SELECTOR("tappedBy:"), UIControlEventTouchUpInside);
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(target->plainCalls, 2);
    EXPECT_EQ(target->senderCalls, 2) << "removed for touch-up only";
    button->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(target->senderCalls, 3);
}

TEST(TargetAction, OtherShapesAndUnknownActionsAreRefusedByName) {
    auto target = make<ActionTarget>();
    auto control = make<UIControl>();
    control->addTarget(target, SELECTOR("countTo:"), UIControlEventTouchUpInside);
    try {
        control->sendActionsForControlEvents(UIControlEventTouchUpInside);
        FAIL() << "an action taking an int was called";
    } catch (const objc::MessageError& e) {
        EXPECT_NE(std::string(e.what()).find("countTo:"), std::string::npos) << e.what();
    }
    EXPECT_THROW(objc::sendAction(target, SELECTOR("neverDefined"), nullptr), objc::MessageError);
    EXPECT_NO_THROW(objc::sendAction(nullptr, SELECTOR("tapped"), nullptr)) << "a message to nil does nothing";
}

TEST(UISwitchValue, OnlyAUserFlipSendsValueChanged) {
    auto target = make<ActionTarget>();
    auto toggle = make<UISwitch>();
    toggle->addTarget(target, SELECTOR("tappedBy:"), UIControlEventValueChanged);
    toggle->setOn(true, true);
    EXPECT_TRUE(toggle->isOn());
    EXPECT_EQ(target->senderCalls, 0);
    toggle->toggle();
    EXPECT_FALSE(toggle->isOn());
    EXPECT_EQ(target->senderCalls, 1);
    EXPECT_EQ(target->lastSender, toggle.get());
}

TEST(SwitchAppearance, ReachesOnlySwitchesInsideThatClassOfPage) {
    auto pageA = make<SwitchPageA>();
    auto pageB = make<SwitchPageB>();
    Ref<UISwitch> inA = switchInside(pageA), inB = switchInside(pageB);
    auto loose = make<UISwitch>();
    UISwitchAppearance* proxy = UISwitch::appearanceWhenContainedIn(SwitchPageA::class_());
    ASSERT_NE(proxy, nullptr);
    EXPECT_EQ(proxy, UISwitch::appearanceWhenContainedIn(SwitchPageA::class_())) << "one proxy per class";
    proxy->setOnTintColor(UIColor::darkGrayColor());
    proxy->setTintColor(UIColor::grayColor());

    EXPECT_EQ(inA->effectiveOnTintColor(), UIColor::darkGrayColor());
    EXPECT_EQ(inA->effectiveTintColor(), UIColor::grayColor());
    EXPECT_EQ(inB->effectiveOnTintColor(), nullptr);
    EXPECT_EQ(inB->effectiveTintColor(), nullptr);
    EXPECT_EQ(loose->effectiveOnTintColor(), nullptr);

    inA->setOnTintColor(UIColor::redColor());
    inA->setTintColor(UIColor::blueColor());
    EXPECT_EQ(inA->effectiveOnTintColor(), UIColor::redColor()) << "a switch's own colours win";
    EXPECT_EQ(inA->effectiveTintColor(), UIColor::blueColor());
    EXPECT_EQ(UISwitch::appearanceWhenContainedIn(nullptr), nullptr);
}

TEST(SwitchAppearance, TheMostSpecificProxyGivingAColourWins) {
    auto sub = make<SwitchPageASub>();
    Ref<UISwitch> inSub = switchInside(sub);
    // The base class's proxy reaches subclasses...
    UISwitch::appearanceWhenContainedIn(SwitchPageA::class_())->setTintColor(UIColor::grayColor());
    UISwitch::appearanceWhenContainedIn(SwitchPageA::class_())->setOnTintColor(UIColor::darkGrayColor());
    EXPECT_EQ(inSub->effectiveOnTintColor(), UIColor::darkGrayColor());
    // ...until the subclass has its own, colour by colour.
    UISwitch::appearanceWhenContainedIn(SwitchPageASub::class_())->setOnTintColor(UIColor::orangeColor());
    EXPECT_EQ(inSub->effectiveOnTintColor(), UIColor::orangeColor());
    EXPECT_EQ(inSub->effectiveTintColor(), UIColor::grayColor());
}

TEST(SwitchAppearance, TheNearestContainerDecidesBeforeTheOnesAroundIt) {
    auto page = make<SwitchPageC>();
    auto group = make<SwitchGroupView>();
    auto toggle = make<UISwitch>();
    group->addSubview(toggle);
    page->view()->addSubview(group);
    UISwitch::appearanceWhenContainedIn(SwitchPageC::class_())->setOnTintColor(UIColor::purpleColor());
    UISwitch::appearanceWhenContainedIn(SwitchPageC::class_())->setTintColor(UIColor::purpleColor());
    UISwitch::appearanceWhenContainedIn(SwitchGroupView::class_())->setOnTintColor(UIColor::cyanColor());
    EXPECT_EQ(toggle->effectiveOnTintColor(), UIColor::cyanColor());
    EXPECT_EQ(toggle->effectiveTintColor(), UIColor::purpleColor()) << "the group gives no outline colour";
}

TEST(BarItems, ButtonBackgroundFallsBackToTheNormalState) {
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    EXPECT_EQ(button->backgroundImageForState(UIControlStateNormal), nullptr);
    auto image = UIImage::imageWithCGImage(CGImage::create(4, 4), 1);
    button->setBackgroundImage(image, UIControlStateNormal);
    EXPECT_EQ(button->backgroundImageForState(UIControlStateHighlighted), image.get());
    button->setBackgroundImage(nullptr, UIControlStateNormal);
    EXPECT_EQ(button->backgroundImageForState(UIControlStateNormal), nullptr);
}

TEST(BarItems, NavigationItemRightItems) {
    auto item = make<UINavigationItem>();
    auto heart = UIBarButtonItem::initWithCustomView(make<UIView>(CGRectMake(0, 0, 22, 20)));
    auto space = UIBarButtonItem::initWithBarButtonSystemItem(UIBarButtonSystemItemFixedSpace, nullptr, nullptr);
    item->setRightBarButtonItems({space, heart}, false);
    ASSERT_EQ(item->rightBarButtonItems().size(), 2u);
    EXPECT_EQ(item->rightBarButtonItems()[1].get(), heart.get());
    EXPECT_EQ(item->rightBarButtonItem(), space.get()) << "the single item is the first of the list";
    item->setRightBarButtonItem(heart);
    ASSERT_EQ(item->rightBarButtonItems().size(), 1u);
    EXPECT_EQ(item->rightBarButtonItem(), heart.get());
    item->setRightBarButtonItem(nullptr);
    EXPECT_TRUE(item->rightBarButtonItems().empty());
}

TEST(BarItems, NavigationBarTintAndTitleColour) {
    EXPECT_STREQ(NSForegroundColorAttributeName, "NSColor");
    auto nav = UINavigationController::initWithRootViewController(make<UIViewController>());
    UINavigationBar* bar = nav->navigationBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->titleColor(), nullptr);
    bar->setTintColor(UIColor::darkGrayColor());
    EXPECT_EQ(bar->tintColor(), UIColor::darkGrayColor());
    bar->setTintColor(nullptr);
    EXPECT_EQ(bar->tintColor(), UIView::defaultTintColor());

    bar->setTitleTextAttributes(
        NSDictionary::dictionaryWithObjectsAndKeys({{NSForegroundColorAttributeName, Ref<NSObject>(UIColor::grayColor())}}));
    EXPECT_EQ(bar->titleColor(), UIColor::grayColor());
    bar->setTitleTextAttributes(make<NSDictionary>());
    EXPECT_EQ(bar->titleColor(), nullptr);
}
