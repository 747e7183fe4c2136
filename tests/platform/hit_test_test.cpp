#include <gtest/gtest.h>

#include "UIKit/UIKit.h"
#include "objc/message.h"

namespace {

// root (0,0,100,100) holding a (10,10,50,50) with a1 (5,5,10,10) and a2 (60,0,10,10) outside a,
// then b (40,40,40,40) over a's corner.
struct Tree {
    Ref<UIView> root = make<UIView>(CGRectMake(0, 0, 100, 100)), a = make<UIView>(CGRectMake(10, 10, 50, 50)),
                a1 = make<UIView>(CGRectMake(5, 5, 10, 10)), a2 = make<UIView>(CGRectMake(60, 0, 10, 10)),
                b = make<UIView>(CGRectMake(40, 40, 40, 40));
    Tree() {
        root->addSubview(a);
        a->addSubview(a1);
        a->addSubview(a2);
        root->addSubview(b);
    }
    UIView* hit(CGFloat x, CGFloat y) { return root->hitTest(CGPointMake(x, y), nullptr); }
};

}  // namespace

TEST(HitTest, FindsTheDeepestTopmostViewInsideEveryAncestor) {
    Tree t;
    EXPECT_EQ(t.hit(20, 20), t.a1.get()) << "deepest";
    EXPECT_EQ(t.hit(12, 12), t.a.get());
    EXPECT_EQ(t.hit(45, 45), t.b.get()) << "the later sibling wins";
    EXPECT_EQ(t.hit(75, 15), t.root.get()) << "a2 lies outside a, so a's test fails first";
    EXPECT_EQ(t.hit(100, 50), nullptr) << "the maximum edge is outside";
    EXPECT_EQ(objc_msgSend<id(CGPoint, id)>(t.root, SELECTOR("hitTest:withEvent:"), CGPointMake(20, 20), nullptr),
              static_cast<id>(t.a1.get()));
}

TEST(HitTest, SkipsHiddenNearlyTransparentAndNonInteractiveSubtrees) {
    Tree t;
    t.b->setHidden(true);
    EXPECT_EQ(t.hit(45, 45), t.a.get());
    t.b->setHidden(false);
    t.b->setAlpha(0.009);
    EXPECT_EQ(t.hit(45, 45), t.a.get());
    t.b->setAlpha(0.01);
    EXPECT_EQ(t.hit(45, 45), t.b.get()) << "faint but not below 0.01";
    t.b->setUserInteractionEnabled(false);
    EXPECT_EQ(t.hit(45, 45), t.a.get());
    t.a->setUserInteractionEnabled(false);
    EXPECT_EQ(t.hit(20, 20), t.root.get()) << "an off parent hides its subviews";

    auto label = make<UILabel>(CGRectMake(0, 0, 100, 100));
    t.root->addSubview(label);
    EXPECT_FALSE(label->isUserInteractionEnabled());
    EXPECT_FALSE(make<UIImageView>()->isUserInteractionEnabled());
    EXPECT_EQ(t.hit(5, 5), t.root.get()) << "a label on top lets touches through";
}

TEST(HitTest, ConvertsThroughTheSuperviewChain) {
    Tree t;
    t.root->setFrame(CGRectMake(7, 7, 100, 100));  // the root's coordinates are the window's
    const CGRect r = CGRectMake(1, 2, 3, 4);
    EXPECT_TRUE(t.a1->convertRect(r, nullptr) == CGRectMake(16, 17, 3, 4));
    EXPECT_TRUE(t.a1->convertRect(r, t.b) == CGRectMake(-24, -23, 3, 4)) << "across to a sibling branch";
    EXPECT_TRUE(t.root->convertPoint(CGPointMake(20, 20), t.a1) == CGPointMake(5, 5));
    EXPECT_EQ(t.hit(20, 20), t.a1.get()) << "the same point hits the view it converts into";
}
