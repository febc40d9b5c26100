#include "tests/unit/SimScenery.h"

#include <algorithm>
#include <set>
#include <vector>

#include "sim/PhysicsSetup.h"
#include "sim/SceneObject.h"
#include "sim/Simulation.h"

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

void removeLevel(World& world, Simulation& simulation) {
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

void placeStaticBox(Simulation& simulation, scene::SceneObject& object, const glm::vec3& center,
                    const glm::vec3& size, physics::Material& material) {
    if (!object.hasMesh) object.createDefaultMesh();
    object.actor = physics::createStatic(*simulation.physics(), physics::Transform(center),
                                         physics::Geometry::box(size * 0.5f), material);
    simulation.scene()->addActor(*object.actor);
}

void makeTriggerVolume(physics::RigidActor& actor) {
    physics::Shape* shape = nullptr;
    actor.getShapes(&shape, 1, 0);
    shape->setFlag(physics::ShapeFlag::Simulation, false);
    shape->setFlag(physics::ShapeFlag::Trigger, true);
}

}  // namespace velmora::test
