#include "tests/gl/EmptyWorld.h"

#include <algorithm>
#include <set>

#include "physics/Physics.h"
#include "world/SceneObject.h"

namespace velmora::test {

namespace {

void destroySubtree(scene::SceneObject* object, physics::Scene* scene) {
    for (scene::SceneObject* child : object->children) destroySubtree(child, scene);
    if (object->actor != nullptr && scene != nullptr) scene->removeActor(*object->actor);
    delete object;
}

}  // namespace

void removeLevel(World& world, physics::Scene* scene) {
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
    world.textureCache.clear();
    world.transparentObjects.clear();
}

}  // namespace velmora::test
