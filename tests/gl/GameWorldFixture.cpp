#include "tests/gl/GameWorldFixture.h"

#include <GL/glew.h>

#include "render/ParticleSystem.h"

namespace velmora::test {

void GameWorldFixture::SetUp() {
    SimWorldFixture::SetUp();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    logic = std::make_unique<RenderLogic>(*sim, options);
    creationErrors += testing::internal::GetCapturedStderr();
    creationOutput += testing::internal::GetCapturedStdout();
}

void GameWorldFixture::TearDown() {
    for (ParticleSystem* system : logic->particleSystems) delete system;
    logic->particleSystems.clear();
    logic->transparentObjects.clear();  // the level goes below
    logic.reset();
    SimWorldFixture::TearDown();
    glUseProgram(0);
}

void GameWorldFixture::takeStepEvents(std::vector<SimulationEvent> stepEvents) {
    logic->showEvents(stepEvents);
}

}  // namespace velmora::test
