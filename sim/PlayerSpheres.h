#pragma once
// Where the two player spheres start and where a hazard puts them back, and
// the body values that make them roll the way the level is tuned for.

#include <glm/glm.hpp>

namespace velmora::spheres {

inline const char* const kMainActorName = "MainActor";
inline const char* const kSecondActorName = "SecondActor";
inline const glm::vec3 kMainStart{-1.0f, 0.1f, -24.0f};
inline const glm::vec3 kSecondStart{2.0f, 0.5f, -24.0f};
inline const glm::vec3 kMainReset{1.0f, 0.05f, -22.0f};
inline const glm::vec3 kSecondReset{4.0f, 0.05f, -22.0f};
constexpr float kMainScale = 1.0f;
constexpr float kSecondScale = 2.0f;  // twice as large; the model has radius 0.5

inline const char* const kModelFile = "Objects/SolidSphere.obj";
inline const char* const kMainTexture = "Textures/SphereS.png";
inline const char* const kSecondTexture = "Textures/GalaxyPNG.png";

// Very high friction so the spheres roll instead of sliding.
constexpr float kFriction = 500.5f;
constexpr float kRestitution = 0.1f;
constexpr float kDensity = 1.0f;
constexpr float kLinearDamping = 10.0f;
constexpr float kMass = 200.0f;

// pushMainSphere's input is a direction of unit size; this makes it newtons.
constexpr float kPushScale = 2000.0f;
// The magnet's strength, applied in the ground plane only.
constexpr float kMagnetForce = 2.0f * 10000.0f * 1.55f;
// Centre distances: the spheres touch at 1.5. The pull acts on a gap above
// 0.02 up to 0.5, the push on any gap below 0.5.
constexpr float kPullNearest = 1.52f;
constexpr float kMagnetReach = 2.0f;

}  // namespace velmora::spheres
