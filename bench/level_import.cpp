// Time to import the three shipped tiles into a fresh world (reading, cooking
// the collision meshes): the simulation's share of a level load, without the
// renderer's textures and uploads. Prints the median and spread over repeated
// imports.

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <vector>

#include "bench/BenchSupport.h"
#include "level/LevelCheck.h"
#include "level/LevelLoader.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "sim/Simulation.h"
#include "sim/SceneObject.h"

using namespace velmora;

namespace {

constexpr int warmUpRuns = 2;
constexpr int measuredRuns = 15;

void removeActorsBelow(scene::SceneObject* node, physics::Scene* scene) {
    for (scene::SceneObject* child : node->children) {
        removeActorsBelow(child, scene);
        if (child->actor != nullptr) scene->removeActor(*child->actor);
    }
}

// Between runs the level goes; each object takes its children along.
void destroyBelow(scene::SceneObject* node, physics::Scene* scene) {
    removeActorsBelow(node, scene);
    for (scene::SceneObject* child : node->children) delete child;
    node->children.clear();
}

}  // namespace

int main() {
    int width = 0;
    int height = 0;
    if (!bench::openBenchContext(width, height)) {
        return 1;
    }

    // A simulation without a level supplies the physics.
    ObjectRegistry registry;
    auto simulation = std::make_unique<Simulation>(*registry.mainWorld(), std::vector<LevelTile>{});
    physics::Cooking* cooking = physics::createCooking(simulation->physics());

    LevelSetup setup;
    setup.physics = simulation->physics();
    setup.cooking = cooking;
    setup.scene = simulation->scene();

    std::vector<double> times;
    for (int run = 0; run < warmUpRuns + measuredRuns; ++run) {
        World world;
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        {
            LevelLoader loader(setup, world);
            for (const LevelTile& tile : shippedLevelTiles()) {
                loader.importTile(tile.file, world.root, tile.offset);
            }
        }
        glFinish();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        if (run >= warmUpRuns) times.push_back(elapsed.count());
        destroyBelow(world.root, simulation->scene());
    }
    bench::printSpread("level import of three tiles", times, "ms");

    cooking->release();
    destroyBelow(registry.mainWorld()->root, simulation->scene());
    simulation.reset();
    platform::terminate();
    return 0;
}
