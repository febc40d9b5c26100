#pragma once
// One world: the scene graph's root and the tables through which the game
// rules, the renderer and the camera find its objects.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/ActorType.h"

namespace velmora {
namespace physics {
class RigidActor;
class RigidDynamic;
}  // namespace physics
namespace scene {
class SceneObject;
class Trigger;
class Door;
}  // namespace scene

// One player sphere: its scene object and its physics body.
struct PlayerActor {
    scene::SceneObject* object = nullptr;
    physics::RigidDynamic* actor = nullptr;
};

struct World {
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Grouping object (identity matrix, no programs); every tile and both
    // spheres hang below it. Owned, and so is everything below it.
    scene::SceneObject* root;
    std::map<physics::RigidActor*, scene::Trigger*> triggerRegistry;
    std::map<std::string, scene::Door*> doorRegistry;
    std::map<ActorType, PlayerActor*> playerActors;
    std::map<physics::RigidActor*, ActorType> actorTypes;
};

}  // namespace velmora
