#include "tests/unit/SimWorldFixture.h"

#include <algorithm>

#include <glm/gtc/matrix_transform.hpp>

#include "sim/Cube.h"
#include "sim/Door.h"
#include "sim/PhysicsSetup.h"
#include "sim/PlayerSpheres.h"
#include "sim/SceneObject.h"
#include "sim/Trigger.h"
#include "tests/unit/SimScenery.h"

namespace velmora::test {

void SimWorldFixture::SetUp() {
    registry = std::make_unique<ObjectRegistry>();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    sim = std::make_unique<Simulation>(world(), shippedLevelTiles());
    creationErrors = testing::internal::GetCapturedStderr();
    creationOutput = testing::internal::GetCapturedStdout();
}

void SimWorldFixture::TearDown() {
    removeLevel(world(), simulation());
    removeSpheres(world(), simulation().scene());
    sim.reset();
    registry.reset();
}

scene::SceneObject* SimWorldFixture::find(const std::string& name) {
    return scene::SceneObject::findByName(name, world().root);
}

void SimWorldFixture::step() {
    simulation().step(next);
    next.push = glm::vec3(0.0f);
    next.restart = false;
    takeStepEvents(simulation().takeEvents());
}

void SimWorldFixture::takeStepEvents(std::vector<SimulationEvent> stepEvents) {
    for (SimulationEvent& event : stepEvents) events.push_back(std::move(event));
}

void SimWorldFixture::push(glm::vec3 direction) { next.push += direction * spheres::kPushScale; }

void SimSceneryFixture::SetUp() {
    SimWorldFixture::SetUp();
    removeLevel(world(), simulation());
    removeSpheres(world(), simulation().scene());
    material = simulation().physics()->createMaterial(0.5f, 0.5f, 0.1f);
}

void SimSceneryFixture::TearDown() {
    // Out of the trees before the world releases what is left in them.
    std::vector<scene::SceneObject*>& top = world().root->children;
    for (const auto& object : objects) {
        object->children.clear();
        top.erase(std::remove(top.begin(), top.end(), object.get()), top.end());
    }
    objects.clear();
    SimWorldFixture::TearDown();
}

scene::SceneObject* SimSceneryFixture::addBox(const std::string& name, const glm::vec3& center,
                                              const glm::vec3& size) {
    auto box = std::make_unique<scene::Cube>(glm::scale(glm::mat4(1.0f), size));
    box->name = name;
    placeStaticBox(simulation(), *box, center, size, *material);
    world().root->addChild(box.get());
    objects.push_back(std::move(box));
    return objects.back().get();
}

scene::Door* SimSceneryFixture::addDoor(const std::string& name, const glm::vec3& center,
                                        const glm::vec3& size, bool steady) {
    auto door = std::make_unique<scene::Door>(glm::scale(glm::mat4(1.0f), size));
    door->name = name;
    door->isSteady = steady;
    placeStaticBox(simulation(), *door, center, size, *material);
    world().root->addChild(door.get());
    world().doorRegistry[name] = door.get();
    scene::Door* raw = door.get();
    objects.push_back(std::move(door));
    return raw;
}

scene::Trigger* SimSceneryFixture::addTrigger(const std::map<std::string, std::vector<std::string>>& actions,
                                              ActorType filter, const glm::vec3& center,
                                              const glm::vec3& size) {
    auto trigger = std::make_unique<scene::Trigger>(glm::scale(glm::mat4(1.0f), size));
    trigger->actions = actions;
    trigger->actorFilter = filter;
    trigger->winCallback = [this] { simulation().winGame(); };
    trigger->resetCallback = [this](std::string text) { simulation().resetGame(text); };
    placeStaticBox(simulation(), *trigger, center, size, *material);
    makeTriggerVolume(*trigger->actor);
    world().root->addChild(trigger.get());
    world().triggerRegistry[trigger->actor] = trigger.get();
    scene::Trigger* raw = trigger.get();
    objects.push_back(std::move(trigger));
    return raw;
}

physics::RigidDynamic* SimSceneryFixture::addSphere(ActorType type, const glm::vec3& position, float radius) {
    physics::RigidDynamic* body = physics::createDynamic(*simulation().physics(), physics::Transform(position),
                                                         physics::Geometry::sphere(radius), *material, 1.0f);
    body->setLinearDamping(10.0f);
    body->setMass(200.0f);
    body->createShape(physics::Geometry::sphere(radius), *material);
    simulation().scene()->addActor(*body);
    world().actorTypes[body] = type;
    // The world's records are its own, as the game's are.
    PlayerActor*& record = world().playerActors[type];
    delete record;
    record = new PlayerActor{nullptr, body};
    return body;
}

void SimSceneryFixture::stepPhysics(int count) {
    for (int i = 0; i < count; ++i) {
        simulation().scene()->simulate(Simulation::kStep);
        simulation().scene()->fetchResults(true);
    }
}

}  // namespace velmora::test
