#include "sim/Trigger.h"

#include <iostream>

#include "sim/Door.h"

namespace velmora::scene {

namespace {

// Runs act on every door of the "open" list that the registry knows.
template <typename Act>
void forEachListedDoor(const std::map<std::string, std::vector<std::string>>& actions,
                       DoorRegistry* doors, Act act) {
    const auto open = actions.find("open");
    if (open == actions.end()) {
        return;
    }
    for (const std::string& name : open->second) {
        Door* door = nullptr;
        if (doors != nullptr) {
            const auto found = doors->find(name);
            door = found != doors->end() ? found->second : nullptr;
        }
        if (door == nullptr) {
            std::cerr << "Door (" << name << ") was not found (in map)" << std::endl;
            continue;  // a typo in one name must not disable the other doors
        }
        act(*door);
    }
}

}  // namespace

bool Trigger::reactsTo(ActorType type) const {
    if (type != MainActorType && type != SecondActorType) {
        std::cerr << "Invalid actorType, must be a 'single' actor type" << std::endl;
        return false;
    }
    return actorFilter == EitherActorType || actorFilter == type;
}

bool Trigger::isSwitch() const { return actions.count("win") == 0 && actions.count("reset") == 0; }

void Trigger::enter(ActorType type, DoorRegistry* doors) {
    if (!reactsTo(type)) {
        return;
    }
    if (actions.count("win") != 0) {
        if (winCallback) winCallback();
        return;
    }
    const auto reset = actions.find("reset");
    if (reset != actions.end()) {
        // The level always gives "reset" a value; a hand-made trigger may not.
        const std::string text = reset->second.empty() ? std::string() : reset->second.front();
        if (resetCallback) resetCallback(text);
        return;
    }
    ++holds_;
    forEachListedDoor(actions, doors, [](Door& door) { door.hold(); });
}

void Trigger::leave(ActorType type, DoorRegistry* doors) {
    if (!reactsTo(type) || !isSwitch()) {
        return;
    }
    if (holds_ > 0) --holds_;
    forEachListedDoor(actions, doors, [](Door& door) { door.letGo(); });
}

}  // namespace velmora::scene
