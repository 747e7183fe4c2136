#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UIKit/UIKit.h"
#include "objc/message.h"

namespace {

using Lines = std::vector<std::string>;

Lines& journal() {
    static Lines lines;
    return lines;
}

// Records its loads and appearance calls in the shared journal under its name.
class LifecycleProbe : public UIViewController {
    OBJC_INTERFACE(LifecycleProbe, UIViewController)

public:
    LifecycleProbe() = default;
    explicit LifecycleProbe(std::string name) : name_(std::move(name)) {}
    void loadView() override {
        note("loadView");
        UIViewController::loadView();
    }
    void viewWillAppear(bool animated) override { note(animated ? "willAppear+" : "willAppear"); }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }

private:
    void note(const std::string& what) { journal().push_back(name_ + "." + what); }
    std::string name_;
};

// A controller whose loadView forgets to make a view.
class ForgetfulController : public UIViewController {
    OBJC_INTERFACE(ForgetfulController, UIViewController)

public:
    ForgetfulController() = default;
    void loadView() override { ++loads; }
    int loads = 0;
};

class LifecycleTest : public ::testing::Test {
protected:
    void SetUp() override { journal().clear(); }
    // The journal since the last take, then cleared.
    static Lines take() { return std::exchange(journal(), {}); }
};

}  // namespace

OBJC_IMPLEMENTATION(LifecycleProbe)
OBJC_IMPLEMENTATION(ForgetfulController)

TEST_F(LifecycleTest, TheViewLoadsOnceAndDefaultsToTheScreen) {
    auto page = make<LifecycleProbe>("page");
    EXPECT_FALSE(page->isViewLoaded());
    UIView* view = page->view();
    EXPECT_TRUE(page->isViewLoaded());
    EXPECT_EQ(page->view(), view);
    EXPECT_EQ(take(), Lines{"page.loadView"});
    EXPECT_EQ(view->frame().size.width, 320);
    EXPECT_EQ(view->frame().size.height, 568);
    EXPECT_EQ(view->viewController(), page.get());

    auto forgetful = make<ForgetfulController>();
    ASSERT_NE(forgetful->view(), nullptr) << "a loadView that makes nothing still leaves a view";
    forgetful->view();
    EXPECT_EQ(forgetful->loads, 1);
}

TEST_F(LifecycleTest, LifecycleMethodsAreReachableByName) {
    auto page = make<LifecycleProbe>("page");
    for (const char* name : {"loadView", "viewWillAppear:", "viewDidAppear:", "viewWillDisappear:", "viewDidDisappear:"})
        EXPECT_TRUE(page->respondsToSelector(sel_registerName(name))) << name;
    objc_msgSend<void(BOOL)>(page, SELECTOR("viewWillAppear:"), YES);
    EXPECT_EQ(take(), Lines{"page.willAppear+"}) << "the override is reached with the flag";
}

TEST_F(LifecycleTest, TitleIsSharedWithTheNavigationItem) {
    auto page = make<LifecycleProbe>("page");
    page->setTitle("Settings");
    EXPECT_EQ(page->navigationItem()->title(), "Settings");
    page->setTitle("");
    EXPECT_EQ(page->navigationItem()->title(), "");
}

TEST_F(LifecycleTest, ShowingTheStackShowsItsRoot) {
    auto root = make<LifecycleProbe>("root");
    auto nav = UINavigationController::initWithRootViewController(root);
    EXPECT_EQ(root->navigationController(), nav.get());
    EXPECT_TRUE(take().empty()) << "nothing loads before the stack is shown";
    nav->show();
    EXPECT_EQ(take(), (Lines{"root.loadView", "root.willAppear", "root.didAppear"}));
    nav->show();
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(root->view()->isDescendantOfView(nav->view()));
    nav->hide();
    EXPECT_EQ(take(), (Lines{"root.willDisappear", "root.didDisappear"}));
}

TEST_F(LifecycleTest, PushAndPopSendTheAppearanceCallsInOrder) {
    auto root = make<LifecycleProbe>("root");
    auto nav = UINavigationController::initWithRootViewController(root);
    nav->show();
    take();
    auto detail = make<LifecycleProbe>("detail");
    nav->pushViewController(detail, true);
    EXPECT_EQ(take(), (Lines{"detail.loadView", "root.willDisappear", "detail.willAppear+", "root.didDisappear",
                             "detail.didAppear"}));
    EXPECT_EQ(nav->topViewController(), detail.get());
    EXPECT_EQ(detail->navigationController(), nav.get());
    EXPECT_TRUE(detail->view()->isDescendantOfView(nav->view()));
    EXPECT_FALSE(root->view()->isDescendantOfView(nav->view()));

    EXPECT_EQ(nav->popViewControllerAnimated(true).get(), detail.get());
    EXPECT_EQ(take(), (Lines{"detail.willDisappear", "root.willAppear+", "detail.didDisappear", "root.didAppear"}));
    EXPECT_EQ(detail->navigationController(), nullptr);
    EXPECT_EQ(nav->viewControllers().size(), 1u);
    EXPECT_EQ(nav->popViewControllerAnimated(true), nullptr) << "the root stays";
    EXPECT_TRUE(take().empty());

    nav->pushViewController(detail, false);
    EXPECT_EQ(take().front(), "root.willDisappear") << "a view loads only once";
    nav->pushViewController(detail, false);
    EXPECT_EQ(nav->viewControllers().size(), 2u) << "a controller already on a stack is not pushed again";
}

TEST_F(LifecycleTest, AStackOffScreenChangesWithoutAppearanceCalls) {
    auto root = make<LifecycleProbe>("root");
    auto nav = UINavigationController::initWithRootViewController(root);
    auto detail = make<LifecycleProbe>("detail");
    nav->pushViewController(detail, false);
    EXPECT_TRUE(take().empty());
    nav->show();
    EXPECT_EQ(take(), (Lines{"detail.loadView", "detail.willAppear", "detail.didAppear"}));
}

TEST_F(LifecycleTest, ControllersOutlivingTheirStackForgetIt) {
    auto root = make<LifecycleProbe>("root");
    {
        auto nav = UINavigationController::initWithRootViewController(root);
        nav->show();
    }
    EXPECT_EQ(root->navigationController(), nullptr);
}

TEST_F(LifecycleTest, AFullScreenModalCoversTheTopControllerAndDismissalUncoversIt) {
    auto page = make<LifecycleProbe>("page");
    auto nav = UINavigationController::initWithRootViewController(page);
    nav->show();
    take();
    std::vector<std::pair<UIViewController*, bool>> seen;
    UIViewController::setPresentationObserver([&](UIViewController* c, bool presenting) { seen.emplace_back(c, presenting); });
    int completions = 0;

    auto sheet = make<LifecycleProbe>("sheet");
    page->presentViewController(sheet, true, [&] { ++completions; });
    EXPECT_EQ(take(), (Lines{"sheet.loadView", "page.willDisappear", "sheet.willAppear+", "sheet.didAppear",
                             "page.didDisappear"}));
    EXPECT_EQ(nav->presentedViewController(), sheet.get()) << "the navigation controller presents";
    EXPECT_EQ(sheet->presentingViewController(), nav.get());

    auto second = make<LifecycleProbe>("second");
    page->presentViewController(second, true, [&] { ++completions; });
    EXPECT_TRUE(take().empty()) << "one presentation at a time";
    EXPECT_EQ(completions, 1);

    sheet->dismissViewControllerAnimated(true, [&] { ++completions; });
    EXPECT_EQ(take(), (Lines{"sheet.willDisappear", "page.willAppear+", "page.didAppear", "sheet.didDisappear"}));
    EXPECT_EQ(nav->presentedViewController(), nullptr);
    EXPECT_EQ(sheet->presentingViewController(), nullptr);
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(seen, (std::vector<std::pair<UIViewController*, bool>>{{sheet.get(), true}, {sheet.get(), false}}));

    page->dismissViewControllerAnimated(true, nullptr);
    EXPECT_TRUE(take().empty()) << "nothing left to dismiss";
    UIViewController::setPresentationObserver(nullptr);
}

TEST_F(LifecycleTest, APresentedControllerOutlivingItsPresenterForgetsIt) {
    auto sheet = make<LifecycleProbe>("sheet");
    {
        auto page = make<LifecycleProbe>("page");
        page->presentViewController(page, false, nullptr);
        EXPECT_EQ(page->presentedViewController(), nullptr) << "a controller cannot cover itself";
        page->presentViewController(sheet, false, nullptr);
        EXPECT_EQ(sheet->presentingViewController(), page.get());
    }
    EXPECT_EQ(sheet->presentingViewController(), nullptr);
}
