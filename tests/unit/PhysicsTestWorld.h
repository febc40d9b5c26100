#pragma once
// A small physics world for the layer's tests: real Bullet underneath, the
// game's gravity and step, and a callback that records every trigger and
// contact report.

#include <vector>

#include "physics/Physics.h"

namespace velmora::physics::testing {

constexpr float step = 0.016666668f;

struct RecordedPair {
    Shape* triggerShape;
    RigidActor* triggerActor;
    Shape* otherShape;
    RigidActor* otherActor;
    PairFlag status;
};

class RecordingCallback : public SimulationEventCallback {
public:
    void onTrigger(TriggerPair* pairs, uint32_t count) override {
        ++calls;
        for (uint32_t i = 0; i < count; ++i) {
            const TriggerPair& p = pairs[i];
            recorded.push_back({p.triggerShape, p.triggerActor, p.otherShape, p.otherActor, p.status});
        }
    }
    int count(PairFlag status) const {
        int n = 0;
        for (const auto& p : recorded) n += p.status == status ? 1 : 0;
        return n;
    }
    void onContact(const ContactReport* reports, uint32_t count) override {
        contacts.insert(contacts.end(), reports, reports + count);
    }
    int calls = 0;
    std::vector<RecordedPair> recorded;
    std::vector<ContactReport> contacts;
};

class TestWorld {
public:
    explicit TestWorld(glm::vec3 gravity = glm::vec3(0.0f, -20.8f, 0.0f)) {
        physics = createPhysics(ToleranceScale());
        cooking = createCooking(physics);
        SceneDesc desc;
        desc.gravity = gravity;
        desc.simulationEventCallback = &callback;
        scene = physics->createScene(desc);
        material = physics->createMaterial(1.0f, 1.0f, 1.0f);
    }
    ~TestWorld() {
        cooking->release();
        physics->release();
    }
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    // A ball like the game's main sphere: density 1, then mass 200.
    RigidDynamic* addBall(glm::vec3 position, float radius = 0.5f, float damping = 0.0f) {
        Material* own = physics->createMaterial(500.5f, 500.5f, 0.1f);
        RigidDynamic* ball = createDynamic(*physics, Transform(position), Geometry::sphere(radius), *own, 1.0f);
        ball->setLinearDamping(damping);
        ball->setMass(200.0f);
        scene->addActor(*ball);
        return ball;
    }

    RigidStatic* addBox(glm::vec3 position, glm::vec3 halfExtents, glm::quat rotation = glm::quat(1, 0, 0, 0)) {
        RigidStatic* box = createStatic(*physics, Transform(position, rotation), Geometry::box(halfExtents), *material);
        scene->addActor(*box);
        return box;
    }

    RigidStatic* addTrigger(glm::vec3 position, glm::vec3 halfExtents, glm::quat rotation = glm::quat(1, 0, 0, 0)) {
        RigidStatic* box = physics->createRigidStatic(Transform(position, rotation));
        Shape* shape = box->createShape(Geometry::box(halfExtents), *material);
        shape->setFlag(ShapeFlag::Simulation, false);
        shape->setFlag(ShapeFlag::Trigger, true);
        scene->addActor(*box);
        return box;
    }

    // A flat floor of cells x cells squares of the given size, two triangles
    // each, centred on the origin at height 0, faces up.
    TriangleMesh* cookFloor(int cells, float size) {
        std::vector<float> points;
        std::vector<uint32_t> indices;
        const float half = cells * size * 0.5f;
        for (int z = 0; z <= cells; ++z)
            for (int x = 0; x <= cells; ++x) points.insert(points.end(), {x * size - half, 0.0f, z * size - half});
        const uint32_t row = cells + 1;
        for (int z = 0; z < cells; ++z)
            for (int x = 0; x < cells; ++x) {
                const uint32_t a = z * row + x, b = a + 1, c = a + row, d = c + 1;
                indices.insert(indices.end(), {a, c, b, b, c, d});
            }
        TriangleMeshDesc desc;
        desc.points = points.data();
        desc.pointCount = static_cast<uint32_t>(points.size() / 3);
        desc.triangles = indices.data();
        desc.triangleCount = static_cast<uint32_t>(indices.size() / 3);
        return cooking->cookTriangleMesh(desc);
    }

    RigidStatic* addMesh(TriangleMesh* mesh, glm::vec3 position, glm::vec3 scale = glm::vec3(1.0f)) {
        RigidStatic* actor = createStatic(*physics, Transform(position), Geometry::triangleMesh(mesh, scale), *material);
        scene->addActor(*actor);
        return actor;
    }

    void run(int steps) {
        for (int i = 0; i < steps; ++i) {
            scene->simulate(step);
            scene->fetchResults(true);
        }
    }

    RecordingCallback callback;
    Physics* physics = nullptr;
    Cooking* cooking = nullptr;
    Scene* scene = nullptr;
    Material* material = nullptr;
};

}  // namespace velmora::physics::testing
