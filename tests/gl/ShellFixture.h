#pragma once
// A whole shell built as start-up builds it, without the shipped level, driven
// frame by frame by a scripted clock, keys and mouse. The cursor rests
// mid-screen, where the camera holds still.

#include <gtest/gtest.h>

#include "app/ShellState.h"

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
    // Set before SetUp to play on the shipped level rather than an empty world.
    bool keepShippedLevel = false;
};

}  // namespace test
}  // namespace velmora
