#pragma once
// The world object as the game builds it: the rules' world (the registry,
// then the shipped level's simulation with both spheres), then RenderLogic
// dressing it. What both printed while they were built is kept for the tests
// that check it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/ObjectRegistry.h"
#include "tests/unit/SimWorldFixture.h"
#include "world/RenderLogic.h"

namespace velmora {
namespace scene {
class SceneObject;
}
namespace test {

class GameWorldFixture : public SimWorldFixture {
protected:
    void SetUp() override;
    // Frees the particle bursts and the renderer, then the level and the world.
    void TearDown() override;
    // Bursts become particle systems, and the looks follow the step.
    void takeStepEvents(std::vector<SimulationEvent> stepEvents) override;

    RenderOptions options;  // what the renderer reads, as the shell's F7 and F9 leave them
    std::unique_ptr<RenderLogic> logic;
};

}  // namespace test
}  // namespace velmora
