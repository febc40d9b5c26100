#pragma once
// What the game tells its sound: cues for what the simulation reported, and
// once a frame how the spheres roll, the magnet holds and the mill turns,
// heard from the camera. A replay is heard like the run, since it comes
// through the same simulation.

#include <vector>

#include <glm/glm.hpp>

#include "audio/SoundSystem.h"
#include "sim/SimulationEvent.h"

namespace velmora {
class Simulation;
}

namespace velmora::app {

// The cue of each event that has one (a restart is an interface tick): of a
// frame's impacts the hardest of each sphere's, and a cue twice at one spot
// once.
void playEventSounds(audio::SoundSystem& sound, const std::vector<SimulationEvent>& events);

// How the continuous sounds stand after the simulation's last step, heard
// from a camera with this camera-to-world matrix.
audio::SoundFrame soundFrame(const Simulation& simulation, const glm::mat4& cameraMatrix);

}  // namespace velmora::app
