#pragma once
// The player's input for one frame: the push on the main sphere and the
// coupling buttons become the input of the frame's physics steps; the option
// keys switch the renderer's options.

#include "sim/StepInput.h"

namespace velmora::app {

struct ShellState;

// Reads the keys, buttons and gamepad through the window layer: the push for
// one 1/60 s step relative to the camera of the last frame, and the coupling,
// which the buttons change and which otherwise stays as it was.
StepInput readStepInput(ShellState& shell);

// The option keys with their lock-out, which runs on real time; they work
// while paused and after the goal too.
void updateOptionKeys(double dt, ShellState& shell);

}  // namespace velmora::app
