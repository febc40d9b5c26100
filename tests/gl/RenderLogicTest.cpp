#include <gtest/gtest.h>

#include <set>

#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMatrices.h"
#include "tests/gl/WorldFixture.h"
#include "sim/PhysicsSetup.h"
#include "world/DrawNode.h"

namespace velmora::test {

using RenderLogicLifetime = WorldFixture;

TEST_F(RenderLogicLifetime, BuildsFiveProgramsTheShadowFacesAndThePhysics) {
    const std::set<ShaderProgram*> programs = {logic->phongProgram, logic->textureProgram,
                                               logic->shadowProgram, logic->particleUpdateProgram,
                                               logic->particleDrawProgram};
    EXPECT_EQ(programs.size(), 5u);
    EXPECT_EQ(programs.count(nullptr), 0u);
    EXPECT_NE(logic->particleUpdateProgram->geometryShader, 0u);
    EXPECT_EQ(logic->particleUpdateProgram->fragmentShader, 0u);
    EXPECT_NE(logic->particleDrawProgram->geometryShader, 0u);

    // The faces are seen from the light the scene is lit from, over its range.
    EXPECT_EQ(logic->lightPosition, glm::vec4(0, 20, -25, 1));
    const auto expected = shadowFaceMatrices(glm::vec3(logic->lightPosition), logic->shadowNearFar.x,
                                             logic->shadowNearFar.y);
    EXPECT_EQ(logic->shadowNearFar, glm::vec2(1, 65));
    for (int face = 0; face < 6; ++face) {
        EXPECT_EQ(logic->shadowFaceMatrices[face], expected[face]) << face;
    }

    ASSERT_NE(simulation().physics(), nullptr);
    ASSERT_NE(simulation().scene(), nullptr);
    EXPECT_EQ(simulation().scene()->getSimulationEventCallback(),
              static_cast<physics::SimulationEventCallback*>(&simulation()));
    EXPECT_EQ(simulation().scene()->getGravity(), glm::vec3(0.0f, -20.8f, 0.0f));
}

TEST_F(RenderLogicLifetime, PrintsOneCreationTimeLine) {
    logic.reset();
    testing::internal::CaptureStdout();
    logic = std::make_unique<RenderLogic>(*sim);
    const std::string out = testing::internal::GetCapturedStdout();
    const size_t line = out.find("Time for creation: ");
    ASSERT_NE(line, std::string::npos) << out;
    EXPECT_EQ(out.find("Time for creation: ", line + 1), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 4), "sec\n");
    EXPECT_NE(out.substr(line).find_first_of("0123456789"), std::string::npos);
}

TEST_F(RenderLogicLifetime, TheSpareWorldStaysEmpty) {
    addBox("box", glm::vec3(0), glm::vec3(1));
    World* spare = registry->world(ObjectRegistry::kSpareWorld);
    EXPECT_TRUE(spare->root->children.empty());
    EXPECT_TRUE(spare->triggerRegistry.empty() && spare->doorRegistry.empty() &&
                spare->playerActors.empty() && spare->actorTypes.empty());
}

// The renderer only reads the game's simulation: going, it takes its bursts
// and leaves the physics to the simulation's own end.
TEST_F(RenderLogicLifetime, DestructionReleasesTheLiveBurstsButLeavesTheSimulationAndTheWorlds) {
    LoggingCube* box = addBox("box", glm::vec3(0), glm::vec3(1));
    auto* burst = new ParticleSystem(glm::vec3(0), logic->particleUpdateProgram, logic->particleDrawProgram);
    burst->setUp();
    const GLuint burstBuffer = burst->buffers[0];
    logic->particleSystems.push_back(burst);
    logic.reset();
    EXPECT_FALSE(glIsBuffer(burstBuffer));
    EXPECT_NE(simulation().scene(), nullptr);
    ASSERT_EQ(registry->mainWorld()->root->children.size(), 1u);
    EXPECT_EQ(registry->mainWorld()->root->children[0], box);
    EXPECT_EQ(box->name, "box");
    EXPECT_TRUE(drawNodeOf(*box).isInitialised);
    EXPECT_NE(registry->world(ObjectRegistry::kSpareWorld), nullptr);
}

TEST_F(RenderLogicLifetime, WinCallbackEndsTheGameForGood) {
    simulation().winGame();
    EXPECT_FALSE(logic->gameRunning());
}

}  // namespace velmora::test
