#pragma once
// A whole shell built as start-up builds it, without the shipped level unless
// a test keeps it, driven frame by frame by a scripted clock, keys and mouse.
// The cursor rests mid-screen, where the camera holds still.

#include <gtest/gtest.h>

#include "app/shell/ShellState.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {
struct World;
namespace test {

class ShellFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    World& world();

    double now = 0.0;
    app::ShellState shell;
    // Set before SetUp by tests that play the shipped level.
    bool keepShippedLevel = false;
    // Set before SetUp to build the world of these tile files instead, each
    // at the offset its name gives it.
    std::vector<std::string> chosenTiles;
    // Or a level of the set, with its own places.
    std::optional<LevelEntry> chosenLevel;
};

}  // namespace test
}  // namespace velmora
