#pragma once
// The player's input for one frame: the push on the main sphere, the coupling
// buttons, the option keys, then the second sphere's magnet. The frame loop
// runs it only while the game runs, so after the goal all of these freeze.

namespace velmora::app {

struct ShellState;

// Reads the keys, buttons and gamepad through the window layer; pushes
// relative to the camera matrix of this frame's updateCamera.
void updateInput(double dt, ShellState& shell);

// The option keys alone, with their lock-out: what still works while paused.
void updateOptionKeys(double dt, ShellState& shell);

}  // namespace velmora::app
