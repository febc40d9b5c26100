#pragma once
// A trigger volume of the level and the actions its annotations ask for:
// "win", "reset" and "open" with a list of door names.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "world/ActorType.h"
#include "world/Cube.h"

namespace velmora::scene {

class Door;

using DoorRegistry = std::map<std::string, Door*>;

class Trigger : public Cube {
public:
    using Cube::Cube;

    // A player sphere of the given type started or stopped touching the volume.
    void enter(ActorType type, DoorRegistry* doors);
    void leave(ActorType type, DoorRegistry* doors);

    std::map<std::string, std::vector<std::string>> actions;
    ActorType actorFilter = EitherActorType;
    std::function<void()> winCallback;
    std::function<void(std::string)> resetCallback;
};

}  // namespace velmora::scene
