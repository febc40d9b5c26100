#pragma once
// How the level's switches and doors show their state. Each door has a colour
// of its own, made from its name, that it shares with every switch that
// opens it. A switch glows in that colour and sinks a little while a sphere
// that counts there is on it; one only the second sphere sets off carries a
// ring. A door slides down out of the way as it opens and back up as it
// closes, over kDoorSlideSeconds of game time (its collision changes at once,
// in the simulation). Drawing only: the simulation never reads any of it.

#include <map>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "physics/Physics.h"

namespace velmora {

struct World;
namespace scene {
class SceneObject;
}

constexpr float kDoorSlideSeconds = 0.3f;
constexpr float kSwitchSink = 0.06f;  // metres
constexpr float kSwitchGlow = 0.45f;

// A clear, fairly bright colour picked by the name: the same name always
// gives the same colour, different names mostly different hues.
glm::vec3 doorColour(const std::string& name);

class DrawNode;

// Before each draw of the object: its own per-draw hook, then whether it is
// drawn at all. A door is hidden once it has slid away, or at once while it
// is open when no slide is under way.
void updateVisibility(scene::SceneObject& object, DrawNode& node);
// Only whether it is drawn, without the per-draw hook: for a walk that lays
// down depth ahead of the object's own draw.
void updateShown(const scene::SceneObject& object, DrawNode& node);

// Where the doors that slide open stand as last updated, as world boxes:
// an opening door stops colliding at once, so the physics no longer sees
// what is still drawn for the slide's 0.3 s. The camera keeps clear of these
// as of walls. A closing door collides at once, where it will end, and needs
// no box of its own.
std::vector<physics::Bounds> slidingDoorBounds(const World& world);

class StateLooks {
public:
    // Brings every look (the objects' draw nodes) up to date with the world
    // after the simulation's step count reached steps: doors slide on by the
    // game time since the last update; a count that went back (a restart)
    // puts them where they are at once.
    void update(World& world, long steps);

private:
    // A door's drawn height: how far it slides.
    float height(const scene::SceneObject& object);
    // Moves the object down by depth metres in the world, whatever its pose.
    static void lower(scene::SceneObject& object, float depth);

    std::map<const scene::SceneObject*, float> heights_;
    long lastSteps_ = -1;
};

}  // namespace velmora
