#pragma once
// The frame loop's side of the sound: the M key that mutes and unmutes, the
// pause that holds every game sound, the ticks of the interface, and what the
// simulation and the camera tell the sound each frame. All of it does
// nothing while the shell has no sound system (tests that build their own).

#include <vector>

#include "sim/SimulationEvent.h"

namespace velmora::app {

struct ShellState;

// Before the frame's steps: M (with "Sound off" / "Sound on" on the HUD), the
// level's ambient bed, and the pause as the session has it, with a tick when
// it changes.
void updateSound(ShellState& shell);
// The cues of the events the frame's steps reported.
void hearEvents(ShellState& shell, const std::vector<SimulationEvent>& events);
// After the camera moved: the listener and the continuous sounds.
void followSound(ShellState& shell);
// The interface's soft tick (option keys, restart, pause).
void tickInterface(ShellState& shell);

}  // namespace velmora::app
