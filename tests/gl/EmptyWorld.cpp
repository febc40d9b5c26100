#include "tests/gl/EmptyWorld.h"

#include <algorithm>
#include <set>

#include "physics/Physics.h"
#include "sim/Simulation.h"
#include "world/RenderLogic.h"
#include "sim/SceneObject.h"

namespace velmora::test {

namespace {

void removeActors(scene::SceneObject* object, physics::Scene* scene) {
    for (scene::SceneObject* child : object->children) removeActors(child, scene);
    if (object->actor != nullptr && scene != nullptr) scene->removeActor(*object->actor);
}

void destroySubtree(scene::SceneObject* object, physics::Scene* scene) {
    removeActors(object, scene);
    delete object;  // and its children
}

}  // namespace

void removeLevel(World& world, Simulation& simulation, RenderLogic& logic) {
    simulation.forgetLevel();
    physics::Scene* scene = simulation.scene();
    std::set<scene::SceneObject*> spheres;
    for (const auto& [type, player] : world.playerActors) {
        if (player != nullptr) spheres.insert(player->object);
    }
    std::vector<scene::SceneObject*> kept;
    for (scene::SceneObject* child : world.root->children) {
        if (spheres.count(child) != 0) {
            kept.push_back(child);
        } else {
            destroySubtree(child, scene);
        }
    }
    world.root->children = kept;
    world.triggerRegistry.clear();
    world.doorRegistry.clear();
    logic.transparentObjects.clear();
}

void removeSpheres(World& world, physics::Scene* scene) {
    std::set<scene::SceneObject*> spheres;
    for (const auto& [type, player] : world.playerActors) {
        if (player == nullptr) continue;
        spheres.insert(player->object);
        if (player->actor != nullptr && scene != nullptr) scene->removeActor(*player->actor);
        delete player;
    }
    auto& children = world.root->children;
    children.erase(std::remove_if(children.begin(), children.end(),
                                  [&](scene::SceneObject* child) { return spheres.count(child) != 0; }),
                   children.end());
    for (scene::SceneObject* sphere : spheres) delete sphere;
    world.playerActors.clear();
    world.actorTypes.clear();
}

}  // namespace velmora::test
