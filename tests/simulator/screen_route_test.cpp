// The way a new Settings app is brought back to the screen the last one showed.

#include <gtest/gtest.h>

#include "ScreenRoute.h"

using simulator::ScreenRoute;

namespace {

std::vector<std::string> commands(const ScreenRoute& route) {
    std::vector<std::string> out;
    if (const auto* way = route.way())
        for (const auto& step : *way) out.push_back(step.command);
    return out;
}

}  // namespace

TEST(ScreenRoute, KeepsTheTouchesThatLeadToTheScreenShownAndDropsDetours) {
    ScreenRoute route;
    route.started("pane");
    ASSERT_TRUE(route.way());
    EXPECT_TRUE(route.way()->empty());

    route.arrived("touch 160 216", true, "settings");
    route.arrived("touch 160 600", true, "colours");
    EXPECT_EQ(commands(route), (std::vector<std::string>{"touch 160 216", "touch 160 600"}));
    EXPECT_EQ(route.way()->back().screen, "colours");

    // A switch changes a value, not the screen: the way stays as it was.
    route.arrived("touch 280 216", false, "colours");
    EXPECT_EQ(commands(route), (std::vector<std::string>{"touch 160 216", "touch 160 600"}));
    // Back to a screen on the way ends the way there, and back to the first empties it.
    route.arrived("touch 30 42", true, "settings");
    EXPECT_EQ(commands(route), std::vector<std::string>{"touch 160 216"});
    route.arrived("touch 30 42", true, "pane");
    ASSERT_TRUE(route.way());
    EXPECT_TRUE(route.way()->empty());

    // A new app starting elsewhere keeps the way, which leads from its first screen.
    route.arrived("touch 160 216", true, "settings");
    route.started("pane");
    EXPECT_EQ(commands(route), std::vector<std::string>{"touch 160 216"});
}

TEST(ScreenRoute, AScreenReachedByWhatCannotBeDoneAgainHasNoWayUntilAKnownOneIsShown) {
    ScreenRoute route;
    route.started("pane");
    route.arrived("touch 309 42", false, "sheet");
    EXPECT_EQ(route.way(), nullptr);
    // Touches from there cannot be followed either: they were made on a screen no way leads to.
    route.arrived("touch 40 96", true, "elsewhere");
    route.arrived("touch 160 300", true, "further");
    route.arrived("touch 30 42", true, "elsewhere");
    EXPECT_EQ(route.way(), nullptr);
    route.arrived("touch 40 96", true, "pane");
    ASSERT_TRUE(route.way());
    EXPECT_TRUE(route.way()->empty());

    // A screen the app could not name is no screen of a way.
    route.arrived("touch 160 216", true, "");
    EXPECT_EQ(route.way(), nullptr);
}
