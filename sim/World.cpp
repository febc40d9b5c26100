#include "sim/World.h"

#include "sim/SceneObject.h"

namespace velmora {

World::World() : root(new scene::SceneObject(glm::mat4(1.0f))) {
    root->isGroup = true;
}

World::~World() {
    delete root;  // and with it every object of the level and both spheres
    for (auto& [type, player] : playerActors) delete player;
}

}  // namespace velmora
