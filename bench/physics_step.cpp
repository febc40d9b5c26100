// Time of one physics step in a scene shaped like a level: 40 static
// triangle-mesh tiles of 200 triangles each and the two player spheres rolling
// over them under steady pushes. Prints the median and spread in microseconds.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/BenchSupport.h"
#include "physics/Physics.h"

using namespace velmora::physics;

namespace {

constexpr float stepLength = 0.016666668f;
constexpr int tilesX = 8, tilesZ = 5, cells = 10;
constexpr float tileSize = 5.0f;

struct NoReports : SimulationEventCallback {
    void onTrigger(TriggerPair*, uint32_t) override {}
};

// A gently rolling 10 x 10 patch (200 triangles) with its corner at the origin.
TriangleMesh* cookTile(Cooking& cooking, float phase) {
    std::vector<float> points;
    std::vector<uint32_t> indices;
    const float cell = tileSize / cells;
    for (int z = 0; z <= cells; ++z)
        for (int x = 0; x <= cells; ++x) {
            const float height = 0.05f * std::sin(phase + 0.9f * x) * std::cos(0.7f * z);
            points.insert(points.end(), {x * cell, height, z * cell});
        }
    for (uint32_t z = 0; z < cells; ++z)
        for (uint32_t x = 0; x < cells; ++x) {
            const uint32_t a = z * (cells + 1) + x, b = a + 1, c = a + cells + 1, d = c + 1;
            indices.insert(indices.end(), {a, c, b, b, c, d});
        }
    TriangleMeshDesc desc;
    desc.points = points.data();
    desc.pointCount = static_cast<uint32_t>(points.size() / 3);
    desc.triangles = indices.data();
    desc.triangleCount = static_cast<uint32_t>(indices.size() / 3);
    return cooking.cookTriangleMesh(desc);
}

// Built like the game's spheres: density 1, damping 10, mass 200, two shapes,
// and for the big one a third that takes no part.
RigidDynamic* addSphere(Physics& physics, Scene& scene, glm::vec3 position, float scale) {
    Material* material = physics.createMaterial(500.5f, 500.5f, 0.1f);
    const float radius = 0.5f * scale;
    RigidDynamic* actor = createDynamic(physics, Transform(position), Geometry::sphere(radius), *material, 1.0f);
    actor->setLinearDamping(10.0f);
    actor->setMass(200.0f);
    actor->createShape(Geometry::sphere(radius), *material);
    if (scale > 1.0f) {
        Shape* wide = actor->createShape(Geometry::sphere(scale), *material);
        wide->setFlag(ShapeFlag::Simulation, false);
        wide->setFlag(ShapeFlag::Trigger, false);
    }
    scene.addActor(*actor);
    return actor;
}

}  // namespace

int main() {
    Physics* physics = createPhysics(ToleranceScale());
    Cooking* cooking = createCooking(physics);
    NoReports reports;
    SceneDesc desc;
    desc.gravity = glm::vec3(0.0f, -20.8f, 0.0f);
    desc.simulationEventCallback = &reports;
    Scene* scene = physics->createScene(desc);
    Material* ground = physics->createMaterial(1.0f, 1.0f, 1.0f);

    for (int tz = 0; tz < tilesZ; ++tz)
        for (int tx = 0; tx < tilesX; ++tx) {
            TriangleMesh* mesh = cookTile(*cooking, 0.3f * (tx + tilesX * tz));
            const glm::vec3 corner((tx - tilesX / 2) * tileSize, 0.0f, (tz - tilesZ / 2) * tileSize);
            // Two shapes per actor, as the level cooks them.
            RigidStatic* tile = createStatic(*physics, Transform(corner), Geometry::triangleMesh(mesh, glm::vec3(1)), *ground);
            tile->createShape(Geometry::triangleMesh(mesh, glm::vec3(1)), *ground);
            scene->addActor(*tile);
        }

    RigidDynamic* main = addSphere(*physics, *scene, glm::vec3(-1, 0.6f, 0), 1.0f);
    RigidDynamic* second = addSphere(*physics, *scene, glm::vec3(2, 1.1f, 0), 2.0f);

    const int warmUp = 300, measured = 4000;
    std::vector<double> micros;
    micros.reserve(measured);
    for (int i = 0; i < warmUp + measured; ++i) {
        // Steady pushes that turn slowly, so both keep rolling in wide circles.
        const float angle = 0.01f * i;
        main->addForce(7200.0f * glm::vec3(std::cos(angle), 0.0f, std::sin(angle)));
        second->addForce(6000.0f * glm::vec3(-std::sin(angle), 0.0f, std::cos(angle)));
        const auto start = std::chrono::steady_clock::now();
        scene->simulate(stepLength);
        scene->fetchResults(true);
        const auto end = std::chrono::steady_clock::now();
        if (i >= warmUp) micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    velmora::bench::printSpread("physics step (40 mesh tiles x 200 triangles, 2 spheres)", micros,
                                "us");
    const glm::vec3 p = main->getGlobalPose().p;
    std::printf("main sphere ended at (%.2f, %.2f, %.2f)\n", p.x, p.y, p.z);

    cooking->release();
    physics->release();
    return 0;
}
