#pragma once
// The arm the camera is held on from the main sphere: how much of it is clear
// of the level's solid shapes and of the second sphere, and how the camera
// moves along it: in at once in front of anything in the way, back out
// smoothly, in real time, once the way is clear again.

#include <glm/glm.hpp>

namespace velmora {
class Simulation;
}

namespace velmora::app {

// The radius of the ball kept clear round the camera: more than the near
// plane's corners reach, so no wall is ever cut open on screen.
constexpr float kCameraProbeRadius = 0.3f;
// An arm shorter than this would put the camera in the main sphere itself.
constexpr float kShortestArm = 1.2f;

// How far the camera may stand from target along the unit direction away,
// at most length: in front of the first solid static shape (walls, closed
// doors, the mill) and of the second sphere, each kept a probe radius away.
float clearArmLength(const Simulation& simulation, glm::vec3 target, glm::vec3 away, float length,
                     float alpha);

// The part of an arm from target along the unit direction away, at most
// length, that stays outside the ball of the given centre and radius. An arm
// starting inside the ball keeps its length (nothing better is near).
float armOutsideBall(glm::vec3 target, glm::vec3 away, float length, glm::vec3 centre, float radius);

struct CameraArm {
    static constexpr float kEaseOutPerSecond = 3.0f;
    float length = -1.0f;  // negative: not placed yet, goes straight to the clear length
    // Degrees the arm is tilted further down than the player's pitch, to look
    // over what stands right behind the sphere.
    float lift = 0.0f;

    // The new length for the clear one after a frame of dt seconds: shorter
    // at once, longer by a share of the gap that grows with dt.
    float follow(float clear, double dt);
    // The new lift for the one needed now: more at once, less eased back.
    float followLift(float needed, double dt);
};

}  // namespace velmora::app
