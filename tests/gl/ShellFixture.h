#pragma once
// A whole shell built as start-up builds it, without the shipped level unless
// a test keeps it, driven frame by frame by a scripted clock, keys and mouse.
// The cursor rests mid-screen, where the camera holds still.

#include <gtest/gtest.h>

#include "app/ShellState.h"

#include <string>

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
    // Set before SetUp to build the world of this tile file instead, at the
    // offset its name gives it.
    std::string chosenTile;
};

}  // namespace test
}  // namespace velmora
