#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "render/ParticleSystem.h"
#include "tests/gl/WorldFixture.h"
#include "sim/Door.h"
#include "sim/PhysicsSetup.h"
#include "sim/PlayerSpheres.h"
#include "world/StateLooks.h"
#include "sim/Trigger.h"
#include "world/DrawNode.h"
#include "tests/gl/UploadedObject.h"

namespace velmora::test {

namespace {

using Actions = std::map<std::string, std::vector<std::string>>;

constexpr float kStep = 1.0f / 60.0f;
const glm::vec3 kForward(0.0f, 0.0f, 8000.0f);

// Layout shared by the tests: the main sphere starts in the lane x = 0 and
// rolls along +z onto a pad at z = 5; the second sphere starts in the lane
// x = 5, where a gate stands across its way at z = 5.
const glm::vec3 kPadCenter(0.0f, 0.25f, 5.0f);
const glm::vec3 kMainStart(0.0f, 0.5f, 0.0f);
const glm::vec3 kSecondStart(5.0f, 1.0f, 1.0f);
const glm::vec3 kGateCenter(5.0f, 1.0f, 5.0f);
const glm::vec3 kGateSize(4.0f, 2.0f, 0.2f);
// Where a door stands when only its state matters.
const glm::vec3 kFarAway(15.0f, 1.0f, 0.0f);
// The second sphere's centre cannot pass these while the gate collides.
constexpr float kBlockedBefore = 5.0f - 0.1f - 1.0f + 0.05f;
constexpr float kBlockedAfter = 5.0f + 0.1f + 1.0f - 0.05f;

}  // namespace

class TriggerRules : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        logic->frustumCullingEnabled = false;  // so the scene pass draws everything there is
        addBox("floor", glm::vec3(0.0f, -0.5f, 0.0f), glm::vec3(40.0f, 1.0f, 40.0f));
    }

    scene::Door* addDoor(const std::string& name, const glm::vec3& center, const glm::vec3& size,
                         bool steady = false) {
        auto door = std::make_unique<scene::Door>(glm::scale(glm::mat4(1.0f), size));
        door->name = name;
        door->isSteady = steady;
        uploadForDrawing(*door, logic->phongProgram, logic->shadowProgram);
        door->actor = physics::createStatic(*simulation().physics(), physics::Transform(center),
                                            physics::Geometry::box(size * 0.5f), *material);
        simulation().scene()->addActor(*door->actor);
        world().root->addChild(door.get());
        world().doorRegistry[name] = door.get();
        scene::Door* raw = door.get();
        objects.push_back(std::move(door));
        return raw;
    }

    // A flat trigger box on the floor, as the level makes them, wired to the
    // world object's own callables.
    scene::Trigger* addTrigger(const Actions& actions, ActorType filter = EitherActorType,
                               const glm::vec3& center = kPadCenter,
                               const glm::vec3& size = glm::vec3(2.0f, 0.5f, 2.0f)) {
        auto trigger = std::make_unique<scene::Trigger>(glm::scale(glm::mat4(1.0f), size));
        trigger->actions = actions;
        trigger->actorFilter = filter;
        trigger->winCallback = [this] { simulation().winGame(); };
        trigger->resetCallback = [this](std::string text) { simulation().resetGame(text); };
        uploadForDrawing(*trigger, logic->phongProgram, logic->shadowProgram);
        trigger->actor = physics::createStatic(*simulation().physics(), physics::Transform(center),
                                               physics::Geometry::box(size * 0.5f), *material);
        physics::Shape* shape = nullptr;
        trigger->actor->getShapes(&shape, 1, 0);
        shape->setFlag(physics::ShapeFlag::Simulation, false);
        shape->setFlag(physics::ShapeFlag::Trigger, true);
        simulation().scene()->addActor(*trigger->actor);
        world().root->addChild(trigger.get());
        world().triggerRegistry[trigger->actor] = trigger.get();
        scene::Trigger* raw = trigger.get();
        objects.push_back(std::move(trigger));
        return raw;
    }

    // A player sphere built like the game's: heavy, strongly damped, and
    // carrying its collision sphere twice, so every touch is reported twice.
    physics::RigidDynamic* addSphere(ActorType type, const glm::vec3& position, float radius) {
        physics::RigidDynamic* body =
            physics::createDynamic(*simulation().physics(), physics::Transform(position),
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

    // One frame's physics: the trigger reports arrive inside fetchResults.
    void step(int count = 1) {
        for (int i = 0; i < count; ++i) {
            simulation().scene()->simulate(kStep);
            simulation().scene()->fetchResults(true);
        }
    }

    void push(physics::RigidDynamic* body, const glm::vec3& force, int steps) {
        for (int i = 0; i < steps; ++i) {
            body->addForce(force);
            step();
        }
    }

    // Pushes until done() holds, at most a few seconds; whether it did.
    bool pushUntil(physics::RigidDynamic* body, const glm::vec3& force,
                   const std::function<bool()>& done) {
        for (int i = 0; i < 300 && !done(); ++i) push(body, force, 1);
        return done();
    }

    void moveTo(physics::RigidDynamic* body, const glm::vec3& position) {
        body->setGlobalPose(physics::Transform(position));
        step(2);
    }

    static bool colliding(const scene::Door* door) {
        physics::Shape* shape = nullptr;
        door->actor->getShapes(&shape, 1, 0);
        return shape->getFlag(physics::ShapeFlag::Simulation);
    }

    // Triangles that reach the rasteriser in one scene pass: a hidden door
    // takes its twelve with it.
    GLuint sceneTriangles() {
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_PRIMITIVES_GENERATED, query);
        logic->renderScene(false, cameraAt(glm::vec3(0, 10, -8), glm::vec3(2, 0, 5)), projection(),
                           0.016);
        glEndQuery(GL_PRIMITIVES_GENERATED);
        GLuint count = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
        glDeleteQueries(1, &query);
        return count;
    }
};

TEST_F(TriggerRules, SwitchOpensItsDoorWhileASphereIsOnItAndTheDoorBlocksAgainAfterwards) {
    scene::Door* gate = addDoor("Gate", kGateCenter, kGateSize);
    addTrigger({{"open", {"Gate"}}});
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);
    physics::RigidDynamic* second = addSphere(SecondActorType, kSecondStart, 1.0f);

    push(second, kForward, 90);
    EXPECT_LT(second->getGlobalPose().p.z, kBlockedBefore);
    const GLuint closedTriangles = sceneTriangles();

    ASSERT_TRUE(pushUntil(main, kForward, [&] { return gate->isOpen; }));
    EXPECT_FALSE(colliding(gate));
    EXPECT_EQ(sceneTriangles(), closedTriangles - 12);
    push(second, kForward, 90);
    EXPECT_GT(second->getGlobalPose().p.z, kBlockedAfter);
    EXPECT_TRUE(gate->isOpen) << "the main sphere rests on the switch";

    ASSERT_TRUE(pushUntil(main, -kForward, [&] { return !gate->isOpen; }));
    EXPECT_TRUE(colliding(gate));
    EXPECT_EQ(sceneTriangles(), closedTriangles);
    push(second, -kForward, 90);
    EXPECT_GT(second->getGlobalPose().p.z, kBlockedAfter);
}

// The door's look follows its state over game time, its collision at once;
// its switches share its colour, and only a counting sphere sets one off.
TEST_F(TriggerRules, DoorSlidesAwayInAThirdOfASecondOfGameTimeAndSwitchesShowTheirState) {
    scene::Door* gate = addDoor("Gate", kFarAway, kGateSize);
    scene::Trigger* pad = addTrigger({{"open", {"Gate"}}});
    scene::Trigger* heavy = addTrigger({{"open", {"Gate"}}}, SecondActorType, kPadCenter + glm::vec3(0, 0, 3));
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);
    StateLooks looks;
    looks.update(world(), 0);
    EXPECT_EQ(drawNodeOf(*gate).tint, doorColour("Gate"));
    EXPECT_EQ(drawNodeOf(*pad).tint, doorColour("Gate"));
    EXPECT_NE(doorColour("Gate"), doorColour("DoorB"));
    EXPECT_TRUE(drawNodeOf(*heavy).ringMark);
    EXPECT_FALSE(drawNodeOf(*pad).ringMark);
    EXPECT_EQ(drawNodeOf(*pad).glow, 0.0f);

    moveTo(main, kPadCenter + glm::vec3(0, 0.25f, 0));
    ASSERT_TRUE(gate->isOpen);
    EXPECT_FALSE(colliding(gate));
    looks.update(world(), 6);  // a tenth of a second
    EXPECT_GT(drawNodeOf(*pad).glow, 0.0f);
    EXPECT_NEAR(drawNodeOf(*pad).lookMove[3].y, -kSwitchSink, 1e-5f);
    EXPECT_NEAR(drawNodeOf(*gate).shownOpen, 1.0f / 3.0f, 0.01f);
    EXPECT_NEAR(drawNodeOf(*gate).lookMove[3].y, -kGateSize.y / 3.0f, 0.02f);
    updateVisibility(*gate, drawNodeOf(*gate));
    EXPECT_TRUE(drawNodeOf(*gate).isVisible);
    looks.update(world(), 18);
    updateVisibility(*gate, drawNodeOf(*gate));
    EXPECT_FALSE(drawNodeOf(*gate).isVisible);

    moveTo(main, kPadCenter + glm::vec3(0, 0.25f, 3));  // the main sphere does not count on the heavy pad
    looks.update(world(), 20);
    EXPECT_FALSE(heavy->isSetOff());
    EXPECT_EQ(drawNodeOf(*heavy).glow, 0.0f);
    EXPECT_EQ(drawNodeOf(*pad).glow, 0.0f);
    EXPECT_EQ(drawNodeOf(*pad).lookMove[3].y, 0.0f);
    EXPECT_FALSE(gate->isOpen);
    looks.update(world(), 0);  // a restart: the door stands closed at once
    EXPECT_EQ(drawNodeOf(*gate).shownOpen, 0.0f);
}

TEST_F(TriggerRules, SteadyDoorStaysOpenAfterTheSphereLeaves) {
    scene::Door* gate = addDoor("Gate", kGateCenter, kGateSize, true);
    addTrigger({{"open", {"Gate"}}});
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);
    physics::RigidDynamic* second = addSphere(SecondActorType, kSecondStart, 1.0f);
    const GLuint closedTriangles = sceneTriangles();

    moveTo(main, kPadCenter + glm::vec3(0, 0.25f, 0));
    moveTo(main, kMainStart);
    EXPECT_TRUE(gate->isOpen);
    EXPECT_FALSE(colliding(gate));
    EXPECT_EQ(sceneTriangles(), closedTriangles - 12);
    push(second, kForward, 150);
    EXPECT_GT(second->getGlobalPose().p.z, kBlockedAfter);
}

TEST_F(TriggerRules, DoorStaysOpenUntilTheLastSphereHasLeftItsSwitch) {
    scene::Door* gate = addDoor("Gate", kFarAway, kGateSize);
    addTrigger({{"open", {"Gate"}}}, EitherActorType, kPadCenter, glm::vec3(6.0f, 0.5f, 2.0f));
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);
    physics::RigidDynamic* second = addSphere(SecondActorType, kSecondStart, 1.0f);

    moveTo(main, glm::vec3(-1.5f, 0.5f, 5.0f));
    moveTo(second, glm::vec3(1.5f, 1.0f, 5.0f));
    moveTo(main, kMainStart);
    EXPECT_TRUE(gate->isOpen) << "the second sphere is still on the switch";
    EXPECT_FALSE(colliding(gate));
    moveTo(second, kSecondStart);
    EXPECT_FALSE(gate->isOpen);
    EXPECT_TRUE(colliding(gate));
}

TEST_F(TriggerRules, SwitchForTheSecondSphereIgnoresTheMainOneOnEntryAndExit) {
    scene::Door* gate = addDoor("Gate", kFarAway, kGateSize);
    addTrigger({{"open", {"Gate"}}, {"actor", {"second"}}}, SecondActorType, kPadCenter,
               glm::vec3(6.0f, 0.5f, 2.0f));
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);
    physics::RigidDynamic* second = addSphere(SecondActorType, kSecondStart, 1.0f);

    ASSERT_TRUE(pushUntil(main, kForward, [&] { return main->getGlobalPose().p.z > 4.0f; }));
    step(10);
    EXPECT_FALSE(gate->isOpen);
    moveTo(second, glm::vec3(2.0f, 1.0f, 5.0f));
    EXPECT_TRUE(gate->isOpen);
    moveTo(main, kMainStart);
    EXPECT_TRUE(gate->isOpen) << "the main sphere leaving must not let go for the second";
    moveTo(second, kSecondStart);
    EXPECT_FALSE(gate->isOpen);
}

TEST_F(TriggerRules, HazardResetsOnEveryEntryOnlyAndOpensNothing) {
    scene::Door* gate = addDoor("Gate", kGateCenter, kGateSize);
    scene::Trigger* spikes = addTrigger({{"reset", {"spikes"}}, {"open", {"Gate"}}});
    std::vector<std::string> resets;
    spikes->resetCallback = [&](std::string text) { resets.push_back(text); };
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);

    ASSERT_TRUE(pushUntil(main, kForward, [&] { return !resets.empty(); }));
    EXPECT_FALSE(gate->isOpen);
    moveTo(main, kMainStart);
    const size_t afterEntry = resets.size();
    for (const std::string& text : resets) EXPECT_EQ(text, "spikes");
    EXPECT_FALSE(gate->isOpen);

    moveTo(main, kPadCenter + glm::vec3(0, 0.25f, 0));
    EXPECT_EQ(resets.size(), 2 * afterEntry) << "the second entry resets like the first";
}

TEST_F(TriggerRules, GoalEndsTheGameAndNeitherOpensNorClosesItsDoors) {
    scene::Door* gate = addDoor("Gate", kGateCenter, kGateSize);
    addTrigger({{"win", {"1"}}, {"open", {"Gate"}}});
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);

    ASSERT_TRUE(pushUntil(main, kForward, [&] { return !logic->gameRunning(); }));
    EXPECT_FALSE(gate->isOpen);

    gate->open();  // opened by some other switch meanwhile
    testing::internal::CaptureStderr();
    moveTo(main, kMainStart);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(gate->isOpen);
    EXPECT_FALSE(logic->gameRunning());
}

TEST_F(TriggerRules, MissingDoorsAndInvalidActorTypesAreReportedAndTheRestStillActs) {
    scene::Door* doorA = addDoor("DoorA", kFarAway, kGateSize);
    scene::Door* doorB = addDoor("DoorB", kFarAway + glm::vec3(0, 0, 10), kGateSize);
    addTrigger({{"open", {"DoorA", "Missing", "DoorB"}}});
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);

    // One line per reported pair: the sphere's collision sphere is reported twice.
    const std::string missing = "Door (Missing) was not found (in map)\n";
    testing::internal::CaptureStderr();
    moveTo(main, kPadCenter + glm::vec3(0, 0.25f, 0));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), missing + missing);
    EXPECT_TRUE(doorA->isOpen);
    EXPECT_TRUE(doorB->isOpen);

    testing::internal::CaptureStderr();
    moveTo(main, kMainStart);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), missing + missing);
    EXPECT_FALSE(doorA->isOpen);
    EXPECT_FALSE(doorB->isOpen);

    // "Either" names no single sphere, so a body registered with it sets nothing off.
    world().actorTypes[main] = EitherActorType;
    testing::internal::CaptureStderr();
    moveTo(main, kPadCenter + glm::vec3(0, 0.25f, 0));
    const std::string invalid = "Invalid actorType, must be a 'single' actor type\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), invalid + invalid);
    EXPECT_FALSE(doorA->isOpen);
}

}  // namespace velmora::test
