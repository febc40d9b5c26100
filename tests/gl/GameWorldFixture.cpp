#include "tests/gl/GameWorldFixture.h"

#include <GL/glew.h>

#include "render/ParticleSystem.h"
#include "tests/gl/EmptyWorld.h"
#include "sim/PhysicsSetup.h"
#include "sim/PlayerSpheres.h"
#include "sim/SceneObject.h"

namespace velmora::test {

void GameWorldFixture::SetUp() {
    registry = std::make_unique<ObjectRegistry>();
    objectRegistry = registry.get();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    sim = std::make_unique<Simulation>(world(), shippedLevelTiles());
    logic = std::make_unique<RenderLogic>(*sim);
    creationErrors = testing::internal::GetCapturedStderr();
    creationOutput = testing::internal::GetCapturedStdout();
}

void GameWorldFixture::TearDown() {
    for (ParticleSystem* system : logic->particleSystems) delete system;
    logic->particleSystems.clear();
    removeLevel(world(), simulation(), *logic);
    removeSpheres(world(), simulation().scene());
    logic.reset();
    sim.reset();
    registry.reset();
    objectRegistry = nullptr;
    glUseProgram(0);
}

scene::SceneObject* GameWorldFixture::find(const std::string& name) {
    return scene::SceneObject::findByName(name, world().root);
}

void GameWorldFixture::step() {
    simulation().step(next);
    next.push = glm::vec3(0.0f);
    next.restart = false;
    logic->showEvents(simulation().takeEvents());
}

void GameWorldFixture::push(glm::vec3 direction) { next.push += direction * spheres::kPushScale; }

}  // namespace velmora::test
