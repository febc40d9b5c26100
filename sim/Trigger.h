#pragma once
// A trigger volume of the level and the actions its annotations ask for:
// "win", "reset" and "open" with a list of door names.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sim/ActorType.h"
#include "sim/Cube.h"

namespace velmora::scene {

class Door;

using DoorRegistry = std::map<std::string, Door*>;

class Trigger : public Cube {
public:
    using Cube::Cube;

    // A player sphere of the given type started touching the volume. Only one
    // action runs, the first of "win", "reset", "open": the goal calls
    // winCallback, a hazard calls resetCallback with its first value, and a
    // switch holds each listed door open (Door::hold). A door missing from
    // doors is reported on standard error and the others still act.
    void enter(ActorType type, DoorRegistry* doors);
    // It stopped touching. Only a switch reacts: it lets go of its doors, so a
    // door closes once no sphere is left on its switches (unless it is
    // steady). A goal or hazard that also lists doors never opened them, so
    // leaving it closes nothing either.
    void leave(ActorType type, DoorRegistry* doors);

    std::map<std::string, std::vector<std::string>> actions;
    ActorType actorFilter = EitherActorType;
    std::function<void()> winCallback;
    std::function<void(std::string)> resetCallback;

    // Neither goal nor hazard: the "open" list is what the trigger does.
    bool isSwitch() const;
    // A switch with a sphere on it that counts here; what it shows, nothing
    // reads it for the rules.
    bool isSetOff() const { return holds_ > 0; }
    // A new run: nothing on it.
    void clearHolds() { holds_ = 0; }

private:
    // Whether a touch of this sphere type counts here. A type that names no
    // single sphere is reported on standard error and counts nowhere.
    bool reactsTo(ActorType type) const;

    int holds_ = 0;  // sphere shapes on the switch that count here
};

}  // namespace velmora::scene
