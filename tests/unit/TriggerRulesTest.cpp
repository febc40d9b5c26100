// The switches, doors, hazards and goal on a floor of the test's own: which
// sphere sets what off, how long a door stays open, what a restart shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/Door.h"
#include "sim/Trigger.h"
#include "tests/unit/TriggerLayout.h"
#include "world/DrawNode.h"
#include "world/StateLooks.h"

namespace velmora::test {

using TriggerRules = TriggerLayoutFixture;

// The door's look follows its state over game time, its collision at once;
// its switches share its colour, and only a counting sphere sets one off.
TEST_F(TriggerRules, DoorSlidesAwayInAThirdOfASecondOfGameTimeAndSwitchesShowTheirState) {
    scene::Door* gate = addDoor("Gate", kFarAway, kGateSize);
    scene::Trigger* pad = addPad({{"open", {"Gate"}}});
    scene::Trigger* heavy = addPad({{"open", {"Gate"}}}, SecondActorType, kPadCenter + glm::vec3(0, 0, 3));
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

TEST_F(TriggerRules, DoorStaysOpenUntilTheLastSphereHasLeftItsSwitch) {
    scene::Door* gate = addDoor("Gate", kFarAway, kGateSize);
    addPad({{"open", {"Gate"}}}, EitherActorType, kPadCenter, glm::vec3(6.0f, 0.5f, 2.0f));
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
    addPad({{"open", {"Gate"}}, {"actor", {"second"}}}, SecondActorType, kPadCenter,
               glm::vec3(6.0f, 0.5f, 2.0f));
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);
    physics::RigidDynamic* second = addSphere(SecondActorType, kSecondStart, 1.0f);

    ASSERT_TRUE(pushUntil(main, kForward, [&] { return main->getGlobalPose().p.z > 4.0f; }));
    stepPhysics(10);
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
    scene::Trigger* spikes = addPad({{"reset", {"spikes"}}, {"open", {"Gate"}}});
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
    addPad({{"win", {"1"}}, {"open", {"Gate"}}});
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);

    ASSERT_TRUE(pushUntil(main, kForward, [&] { return !!simulation().won(); }));
    EXPECT_FALSE(gate->isOpen);

    gate->open();  // opened by some other switch meanwhile
    testing::internal::CaptureStderr();
    moveTo(main, kMainStart);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(gate->isOpen);
    EXPECT_FALSE(!simulation().won());
}

TEST_F(TriggerRules, MissingDoorsAndInvalidActorTypesAreReportedAndTheRestStillActs) {
    scene::Door* doorA = addDoor("DoorA", kFarAway, kGateSize);
    scene::Door* doorB = addDoor("DoorB", kFarAway + glm::vec3(0, 0, 10), kGateSize);
    addPad({{"open", {"DoorA", "Missing", "DoorB"}}});
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
