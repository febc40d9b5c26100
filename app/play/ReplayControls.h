#pragma once
// Watching runs again: V after the goal shows the run just played, B at the
// start of a run shows the level's best run; while watching, + and - change
// the speed (1/4, 1/2, 1, 2 and 4 times real time), and so does the wheel
// (the camera's zoom stays), P pauses, and R or V go
// back to playing a new run. G shows or hides the best run's ghost.

#include <string>

#include "sim/StepInput.h"

namespace velmora::app {

struct ShellState;

// Reads the keys once a frame, before the steps.
void updateReplayControls(ShellState& shell);

// How many times real time the shown run plays at, and its HUD text.
double replaySpeedFactor(int speed);
std::string replaySpeedText(int speed);

// The next step's input of the run being shown; false once it is used up.
bool nextWatchedInput(ShellState& shell, StepInput& input);

}  // namespace velmora::app
