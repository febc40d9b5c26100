#pragma once
// The arm the camera is held on from the main sphere: how much of it is clear
// of the level's solid shapes and of the second sphere, and how the camera
// moves along it: in at once in front of anything in the way, back out
// smoothly, in real time, once the way is clear again.

#include <vector>

#include <glm/glm.hpp>

#include "app/camera/ArmBend.h"
#include "physics/Physics.h"

namespace velmora {
class Simulation;
}

namespace velmora::app {

// The radius of the ball kept clear round the camera: more than the near
// plane's corners reach, so no wall is ever cut open on screen.
constexpr float kCameraProbeRadius = 0.3f;
// The shortest arm: the wheel's closest zoom. Closer, the main sphere
// would fill over a quarter of a 4:3 view.
constexpr float kShortestArm = 2.0f;
// Blocked closer than this, the camera bends round or over what is in the
// way rather than come in further.
constexpr float kComfortableArm = 3.0f;

// How far the camera may stand from target along the unit direction away,
// at most length: in front of the first solid static shape (walls, closed
// doors, the mill), of the doors still drawn while they slide open (world
// boxes, world/StateLooks.h) and of the second sphere, each kept a probe
// radius away.
float clearArmLength(const Simulation& simulation, glm::vec3 target, glm::vec3 away, float length,
                     float alpha, const std::vector<physics::Bounds>& slidingDoors = {});

// The part of an arm from target along the unit direction away, at most
// length, that stays outside the ball of the given centre and radius. An arm
// starting inside the ball keeps its length (nothing better is near).
float armOutsideBall(glm::vec3 target, glm::vec3 away, float length, glm::vec3 centre, float radius);

// The same for a box: the arm stops where a ball of the radius round its
// end would first touch the box (taken as the box grown by the radius on
// every side, a little more than the ball needs at its edges).
float armOutsideBox(glm::vec3 target, glm::vec3 away, float length, const physics::Bounds& box, float radius);

struct CameraArm {
    static constexpr float kEaseOutPerSecond = 3.0f;
    static constexpr float kBendPerSecond = 4.0f;
    float length = -1.0f;  // negative: not placed yet, goes straight to the clear length
    ArmBend bend;          // as drawn, on its way to wantedBend
    ArmBend wantedBend;    // the last frame's choice, kept while it still serves

    // The new length for the clear one after a frame of dt seconds: shorter
    // at once, longer by a share of the gap that grows with dt.
    float follow(float clear, double dt);
    // The bend after a frame of dt seconds on the way to the wanted one, by
    // a share of the gap that grows with dt.
    ArmBend followBend(const ArmBend& wanted, double dt);
};

}  // namespace velmora::app
