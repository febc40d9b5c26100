#pragma once
// What the screen does about the simulation's events: the camera goes back
// behind the sphere after a restart or a hazard, and a hazard flashes the
// screen red and says what happened.

#include <string>
#include <vector>

#include "sim/SimulationEvent.h"

namespace velmora::app {

struct ShellState;

// The line a hazard shows, from the hazard's text in the level (the place it
// guards): the pit is a fall, anything else is spikes.
std::string hazardMessage(const std::string& hazardText);

void reactToEvents(const std::vector<SimulationEvent>& events, ShellState& shell);

}  // namespace velmora::app
