#include <gtest/gtest.h>

#include "Foundation/NSNumber.h"
#include "PaneDevice.h"
#include "UIKit/UIKit.h"
#include "pages/CVCreditsListController.h"

namespace {

std::string textAt(const NSDictionary* row, const char* key) {
    auto* s = row ? objc_cast<NSString>(row->objectForKey(key)) : nullptr;
    return s ? s->str() : "<none>";
}

struct ShownCredits {
    Ref<CVCreditsListController> page = make<CVCreditsListController>();
    Ref<UINavigationController> navigation = UINavigationController::initWithRootViewController(page);
    ShownCredits() { navigation->show(); }
};

std::string lastOpened() {
    const auto& urls = UIApplication::openedURLs();
    return urls.empty() ? "<nothing>" : urls.back();
}

}  // namespace

TEST(CreditsPage, ThreeGroupsOfOneTallPersonRowEach) {
    auto table = make<CVCreditsListController>()->customSpecifiers();
    ASSERT_TRUE(table);
    ASSERT_EQ((*table)->count(), 6u);
    const char* classes[] = {"CVBrannocPersonCell", "CVQuillexPersonCell", "CVPeloPersonCell"};
    const char* actions[] = {"openBrannocTwitter", "openQuillexTwitter", "openPeloTwitter"};
    for (size_t i = 0; i < 3; ++i) {
        auto* group = objc_cast<NSDictionary>((*table)->objectAtIndex(2 * i));
        auto* person = objc_cast<NSDictionary>((*table)->objectAtIndex(2 * i + 1));
        EXPECT_EQ(group->count(), 1u);
        EXPECT_EQ(textAt(group, "cell"), "PSGroupCell");
        EXPECT_EQ(textAt(person, "cell"), "PSLinkCell");
        EXPECT_EQ(textAt(person, "cellClass"), classes[i]);
        EXPECT_EQ(textAt(person, "action"), actions[i]);
        EXPECT_EQ(objc_cast<NSNumber>(person->objectForKey("height"))->longLongValue(), 100);
        EXPECT_EQ(person->objectForKey("label"), nullptr);
        EXPECT_EQ(person->objectForKey("key"), nullptr);
    }
}

TEST(CreditsPage, ShowsThePeopleWithTheirPicturesAndNoHeart) {
    PaneDevice device;
    ShownCredits shown;
    EXPECT_TRUE(shown.page->navigationItem()->rightBarButtonItems().empty());
    EXPECT_EQ(shown.page->title(), "");
    EXPECT_EQ(shown.navigation->navigationBar()->ownTintColor(), UIColor::darkGrayColor());
    EXPECT_EQ(shown.navigation->navigationBar()->titleColor(), nullptr);
    const char* names[] = {"Brannoc Vesk", "Quillex", "Pelorwin"};
    const char* roles[] = {"The Developer", "Co-Developer", "Co-Developer"};
    for (size_t i = 0; i < 3; ++i) {
        auto* cell = objc_cast<TXPersonCell>(shown.page->cellAtRow(2 * i + 1));
        ASSERT_TRUE(cell) << i;
        EXPECT_EQ(cell->nameLabel()->text(), names[i]);
        EXPECT_EQ(cell->descriptionLabel()->text(), roles[i]);
        EXPECT_TRUE(cell->background()->image()) << "the portrait from the bundle";
        EXPECT_EQ(shown.page->heightOfRow(2 * i + 1), 100);
    }
}

TEST(CreditsPage, TappingAPersonOpensTheirProfileInTheBestClient) {
    PaneDevice device;
    ShownCredits shown;
    EXPECT_TRUE(shown.page->tapRow(5));
    EXPECT_EQ(lastOpened(), "https://mobile.twitter.com/Pelo");
    device.installApp("Tweetbot", {"tweetbot"});
    EXPECT_TRUE(shown.page->tapRow(1));
    EXPECT_EQ(lastOpened(), "tweetbot:///user_profile/BrannocVesk5");
    device.installApp("Twitter", {"twitter"});
    EXPECT_TRUE(shown.page->tapRow(3));
    EXPECT_EQ(lastOpened(), "tweetbot:///user_profile/quillex");
}

TEST(CreditsPage, TitleIsBackWhileCoveredAndEmptyAgainWhenShown) {
    PaneDevice device;
    ShownCredits shown;
    shown.navigation->pushViewController(make<CVCreditsListController>(), false);
    EXPECT_EQ(shown.page->title(), "Back");
    shown.navigation->popViewControllerAnimated(false);
    EXPECT_EQ(shown.page->title(), "");
}
