#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UIKit/UIKit.h"
#include "objc/message.h"

namespace {

std::vector<std::string>& journal() {
    static std::vector<std::string> lines;
    return lines;
}

class Recorder : public UIViewController {
    OBJC_INTERFACE(Recorder, UIViewController)

public:
    Recorder() = default;
    explicit Recorder(std::string name) : name_(std::move(name)) {}
    void loadView() override {
        journal().push_back(name_ + ".loadView");
        UIViewController::loadView();
    }
    void viewWillAppear(bool) override { journal().push_back(name_ + ".willAppear"); }
    void viewDidAppear(bool) override { journal().push_back(name_ + ".didAppear"); }
    void viewWillDisappear(bool) override { journal().push_back(name_ + ".willDisappear"); }
    void viewDidDisappear(bool) override { journal().push_back(name_ + ".didDisappear"); }

    int taps = 0;
    NSObject* lastSender = nullptr;

private:
    std::string name_;
};

class OtherPage : public UIViewController {
    OBJC_INTERFACE(OtherPage, UIViewController)

public:
    OtherPage() = default;
};

using Lines = std::vector<std::string>;

}  // namespace

OBJC_IMPLEMENTATION(Recorder, objc::method("tapped", [](id self, SEL) { ++static_cast<Recorder*>(self)->taps; }),
                    objc::method("tappedBy:", [](id self, SEL, id sender) {
                        static_cast<Recorder*>(self)->lastSender = sender;
                    }),
                    objc::method("badAction:", [](id, SEL, int) {}))
OBJC_IMPLEMENTATION(OtherPage)

TEST(UIView, TintIsOwnElseInheritedElseTheDefaultBlue) {
    auto outer = make<UIView>(), inner = make<UIView>(), leaf = make<UIView>();
    outer->addSubview(inner);
    inner->addSubview(leaf);
    EXPECT_EQ(leaf->tintColor(), UIView::defaultTintColor());
    EXPECT_EQ(leaf->tintColor()->green(), 0.478431);
    outer->setTintColor(UIColor::darkGrayColor());
    EXPECT_EQ(leaf->tintColor(), UIColor::darkGrayColor());
    inner->setTintColor(UIColor::redColor());
    EXPECT_EQ(leaf->tintColor(), UIColor::redColor());
    inner->setTintColor(nullptr);
    EXPECT_EQ(leaf->tintColor(), UIColor::darkGrayColor());
    leaf->removeFromSuperview();
    EXPECT_EQ(leaf->tintColor(), UIView::defaultTintColor());
    EXPECT_EQ(inner->subviews().size(), 0u);
}

TEST(UIView, RefusesCyclesAndForgetsADeadSuperview) {
    auto child = make<UIView>();
    {
        auto parent = make<UIView>();
        parent->addSubview(child);
        child->addSubview(parent);
        EXPECT_EQ(child->subviews().size(), 0u);
        EXPECT_EQ(child->superview(), parent.get());
        child->removeFromSuperview();
        parent->addSubview(child);
    }
    EXPECT_EQ(child->superview(), nullptr);
}

TEST(UINavigationController, PushAndPopSendTheAppearanceCallsInOrder) {
    journal().clear();
    auto root = make<Recorder>("root");
    auto nav = UINavigationController::initWithRootViewController(root);
    nav->show();
    EXPECT_EQ(journal(), (Lines{"root.loadView", "root.willAppear", "root.didAppear"}));
    journal().clear();
    auto detail = make<Recorder>("detail");
    nav->pushViewController(detail, true);
    EXPECT_EQ(journal(), (Lines{"detail.loadView", "root.willDisappear", "detail.willAppear", "root.didDisappear",
                                "detail.didAppear"}));
    EXPECT_EQ(detail->navigationController(), nav.get());
    EXPECT_TRUE(detail->view()->isDescendantOfView(nav->view()));
    journal().clear();
    EXPECT_EQ(nav->popViewControllerAnimated(true).get(), detail.get());
    EXPECT_EQ(journal(), (Lines{"detail.willDisappear", "root.willAppear", "detail.didDisappear", "root.didAppear"}));
    EXPECT_EQ(detail->navigationController(), nullptr);
    EXPECT_EQ(nav->popViewControllerAnimated(true), nullptr) << "the root stays";
    journal().clear();
    nav->pushViewController(detail, false);
    EXPECT_EQ(journal().front(), "root.willDisappear") << "a view is loaded only once";
}

TEST(UIViewController, ModalPresentationCoversTheTopControllerAndDismissalUncoversIt) {
    auto page = make<Recorder>("page");
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    journal().clear();
    std::vector<std::pair<std::string, bool>> seen;
    UIViewController::setPresentationObserver(
        [&](UIViewController* c, bool presenting) { seen.emplace_back(c->className(), presenting); });
    auto sheet = make<Recorder>("sheet");
    page->presentViewController(sheet, true, nullptr);
    EXPECT_EQ(journal(), (Lines{"sheet.loadView", "page.willDisappear", "sheet.willAppear", "sheet.didAppear",
                                "page.didDisappear"}));
    EXPECT_EQ(nav->presentedViewController(), sheet.get()) << "the navigation controller presents";
    journal().clear();
    page->dismissViewControllerAnimated(true, nullptr);
    EXPECT_EQ(journal(), (Lines{"sheet.willDisappear", "page.willAppear", "page.didAppear", "sheet.didDisappear"}));
    EXPECT_EQ(nav->presentedViewController(), nullptr);
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, bool>>{{"Recorder", true}, {"Recorder", false}}));
    UIViewController::setPresentationObserver(nullptr);
}

TEST(UIControl, ActionsTakeNothingOrTheSenderAndOtherShapesAreRefused) {
    auto target = make<Recorder>();
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->addTarget(target, SELECTOR("tapped"), UIControlEventTouchUpInside);
    button->addTarget(target, SELECTOR("tappedBy:"), UIControlEventTouchUpInside);
    button->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(target->taps, 0);
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(target->taps, 1);
    EXPECT_EQ(target->lastSender, button.get());
    auto wrong = make<UIButton>();
    wrong->addTarget(target, SELECTOR("badAction:"), UIControlEventTouchUpInside);
    EXPECT_THROW(wrong->sendActionsForControlEvents(UIControlEventTouchUpInside), objc::MessageError);
}

TEST(UISwitch, AppearanceReachesOnlySwitchesInsideThatClassOfContainer) {
    auto page = make<Recorder>();
    auto other = make<OtherPage>();
    auto inPage = make<UISwitch>(), inOther = make<UISwitch>(), loose = make<UISwitch>();
    auto cell = make<UIView>();
    page->view()->addSubview(cell);
    cell->addSubview(inPage);
    other->view()->addSubview(inOther);
    UISwitchAppearance* proxy = UISwitch::appearanceWhenContainedIn(Recorder::class_());
    EXPECT_EQ(proxy, UISwitch::appearanceWhenContainedIn(Recorder::class_()));
    proxy->setOnTintColor(UIColor::darkGrayColor());
    proxy->setTintColor(UIColor::grayColor());
    EXPECT_EQ(inPage->effectiveOnTintColor(), UIColor::darkGrayColor());
    EXPECT_EQ(inPage->effectiveTintColor(), UIColor::grayColor());
    EXPECT_EQ(inOther->effectiveOnTintColor(), nullptr);
    EXPECT_EQ(loose->effectiveTintColor(), nullptr);
    inPage->setOnTintColor(UIColor::redColor());
    EXPECT_EQ(inPage->effectiveOnTintColor(), UIColor::redColor()) << "a switch's own colour wins";
}

TEST(NavigationItems, RightItemsAndBarTitleColour) {
    auto item = make<UINavigationItem>();
    auto heart = UIBarButtonItem::initWithCustomView(make<UIView>(CGRectMake(0, 0, 22, 20)));
    auto space = UIBarButtonItem::initWithBarButtonSystemItem(UIBarButtonSystemItemFixedSpace, nullptr, nullptr);
    space->setWidth(-16);
    item->setRightBarButtonItems({space, heart}, false);
    EXPECT_EQ(item->rightBarButtonItems().size(), 2u);
    EXPECT_EQ(item->rightBarButtonItem(), space.get());
    item->setRightBarButtonItem(heart);
    EXPECT_EQ(item->rightBarButtonItems().size(), 1u);
    auto bar = make<UINavigationBar>();
    EXPECT_EQ(bar->titleColor(), nullptr);
    bar->setTitleTextAttributes(NSDictionary::dictionaryWithObjectsAndKeys(
        {{NSForegroundColorAttributeName, Ref<NSObject>(UIColor::grayColor())}}));
    EXPECT_EQ(bar->titleColor(), UIColor::grayColor());
}
