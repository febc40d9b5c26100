// The autopilot's route file: what a line says, and which lines it refuses.

#include <gtest/gtest.h>

#include "tools/autopilot/Route.h"

namespace velmora::app {
namespace {

TEST(Route, StepsAreReadInOrderWithTheirDefaults) {
    std::string error;
    const std::optional<Route> route = parseRoute(
        "# a comment\n"
        "go 1 -2\n"
        "go 4 -6 0.3 2   # slowly\n"
        "\n"
        "couple\nuncouple\nwait 30\ndoor DoorA\nmill -1 -55 2.5\nsecond 4 -42 1.5\nzoom -10\n",
        error);
    ASSERT_TRUE(route.has_value()) << error;
    ASSERT_EQ(route->steps.size(), 9u);
    const RouteStep& first = route->steps[0];
    EXPECT_EQ(first.action, RouteAction::Go);
    EXPECT_EQ(first.point, glm::vec2(1, -2));
    EXPECT_EQ(first.tolerance, 0.5f);
    EXPECT_EQ(first.speed, 0.0f);
    EXPECT_EQ(first.line, 2);
    EXPECT_EQ(route->steps[1].tolerance, 0.3f);
    EXPECT_EQ(route->steps[1].speed, 2.0f);
    EXPECT_EQ(route->steps[1].text, "go 4 -6 0.3 2");
    EXPECT_EQ(route->steps[4].frames, 30);
    EXPECT_EQ(route->steps[5].name, "DoorA");
    EXPECT_EQ(route->steps[6].tolerance, 2.5f);
    EXPECT_EQ(route->steps[8].action, RouteAction::Zoom);
    EXPECT_EQ(route->steps[8].frames, -10);
    EXPECT_FLOAT_EQ(route->length(), 5.0f);  // between the two go points

    const Route alone = withoutSecondSphere(*route);
    ASSERT_EQ(alone.steps.size(), 7u);
    EXPECT_EQ(alone.steps[0].action, RouteAction::Uncouple);  // the magnet never pulls
    for (size_t i = 1; i < alone.steps.size(); ++i) {
        const RouteStep& step = alone.steps[i];
        EXPECT_NE(step.action, RouteAction::Couple);
        EXPECT_NE(step.action, RouteAction::Uncouple);
        EXPECT_NE(step.action, RouteAction::Second);
    }
}

TEST(Route, ALineItCannotReadIsNamed) {
    for (const char* bad : {"jump 1 2", "go 1", "go 1 2 0", "go 1 two", "go 1 2 0.5 3 4",
                            "wait 1.5", "wait -1", "door", "door A B", "mill 1 2", "couple now",
                            "second 1 2 0", "go 1 2 nan",
                            // Found by the fuzz lane: beyond int, the conversion was undefined.
                            "wait 2147483647", "wait 1e30", "zoom -2147483648", "zoom inf"}) {
        std::string error;
        EXPECT_FALSE(parseRoute(std::string("go 0 0\n") + bad + "\n", error).has_value()) << bad;
        EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << bad << ": " << error;
    }
    std::string error;
    EXPECT_FALSE(parseRoute("# nothing\n", error).has_value());
    EXPECT_FALSE(loadRoute("no/such/route.txt", error).has_value());
}

}  // namespace
}  // namespace velmora::app
