#include <gtest/gtest.h>

#include "physics/Physics.h"
#include "sim/Door.h"

using velmora::scene::Door;
namespace physics = velmora::physics;

namespace {

class DoorShapes : public testing::Test {
protected:
    void SetUp() override {
        world = physics::createPhysics(physics::ToleranceScale());
        physics::Material* material = world->createMaterial(0.5f, 0.5f, 0.1f);
        actor = physics::createStatic(*world, physics::Transform(),
                                      physics::Geometry::box(glm::vec3(1, 2, 0.1f)), *material);
        actor->createShape(physics::Geometry::box(glm::vec3(0.2f)), *material,
                           physics::Transform(glm::vec3(0, 3, 0)));
        door.actor = actor;
    }
    void TearDown() override { world->release(); }

    // True when every shape of the door collides, false when none does.
    bool colliding() const {
        physics::Shape* shapes[2] = {nullptr, nullptr};
        EXPECT_EQ(actor->getShapes(shapes, 2, 0), 2u);
        const bool first = shapes[0]->getFlag(physics::ShapeFlag::Simulation);
        EXPECT_EQ(shapes[1]->getFlag(physics::ShapeFlag::Simulation), first);
        return first;
    }

    physics::Physics* world = nullptr;
    physics::RigidStatic* actor = nullptr;
    Door door{glm::mat4(1.0f)};
};

}  // namespace

TEST_F(DoorShapes, OpeningStopsEveryShapeCollidingAndClosingRestoresThem) {
    EXPECT_TRUE(colliding());
    door.open();
    EXPECT_FALSE(colliding());
    door.close();
    EXPECT_TRUE(colliding());
}

TEST_F(DoorShapes, SteadyDoorKeepsItsShapesOff) {
    door.isSteady = true;
    door.open();
    door.close();
    EXPECT_FALSE(colliding());
    EXPECT_TRUE(door.isOpen);
}

TEST_F(DoorShapes, HeldDoorClosesOnlyWhenTheLastHoldIsLetGo) {
    door.letGo();  // nothing held yet: must not drive the count below zero
    door.hold();
    door.hold();
    door.letGo();
    EXPECT_TRUE(door.isOpen);
    EXPECT_FALSE(colliding());
    door.letGo();
    EXPECT_FALSE(door.isOpen);
    EXPECT_TRUE(colliding());
    door.hold();  // a stray let-go before did not eat this hold
    EXPECT_TRUE(door.isOpen);
}
