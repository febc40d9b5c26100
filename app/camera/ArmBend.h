#pragma once
// Where the camera goes when the straight way back from the main sphere is
// blocked close behind it (a wall, a door, the mill, the second sphere in
// tow): it swings round or rises over what is in the way, the least it can,
// rather than coming in to a close-up. The bend is the camera's own: the
// keys still push along the view the player chose.

#include <functional>

#include <glm/glm.hpp>

#include "app/camera/OrbitCamera.h"

namespace velmora::app {

// Degrees added to the player's angles: swing turns the yaw, lift tilts the
// camera further down.
struct ArmBend {
    float swing = 0.0f;
    float lift = 0.0f;
    bool operator==(const ArmBend& other) const { return swing == other.swing && lift == other.lift; }
};

// The steepest the camera looks down, lifted or not: straight down shows
// nothing but the sphere's top.
constexpr float kSteepestLookDown = -80.0f;

OrbitAngles bentAngles(const OrbitAngles& player, const ArmBend& bend);

// The unit direction from the sphere to the camera for the angles.
glm::vec3 armDirection(const OrbitAngles& angles);

// The bend whose arm (clearLength tells how much of it is clear) is clear
// for at least `wanted`, the least of all that are: none when the player's
// own view is; else `keep` (last frame's) while it still is, so the camera
// does not hop between two equal ways round; else the least bend, sideways
// or upwards. When none is clear that far, the one clear the furthest.
ArmBend clearBend(const std::function<float(const ArmBend&)>& clearLength, float wanted, const ArmBend& keep);

}  // namespace velmora::app
