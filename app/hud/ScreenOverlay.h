#pragma once
// A colour laid over the whole scene (not the HUD) in the last post-process
// pass: a red flash when a hazard puts the spheres back, fading in real time,
// and the dimming behind the win screen.

#include <glm/glm.hpp>

namespace velmora::app {

constexpr double kHazardFlashSeconds = 0.6;
constexpr float kHazardFlashStrength = 0.5f;
constexpr float kWinDimming = 0.55f;

void flashScreen();
// No flash left (a new game, a test).
void clearScreenOverlay();

// This frame's overlay (colour, and its share in alpha) after dt seconds:
// the flash ages by dt; won dims the scene under it.
glm::vec4 screenOverlay(double dt, bool won);

}  // namespace velmora::app
