#pragma once
// Moving through the level set while the game runs: after the goal N goes on
// to the next level, which finishing this one has opened.

namespace velmora::app {

struct ShellState;

// Releases the level played and starts the one at index of shell.levels,
// from a fresh run with the camera at its first place. False (nothing
// changes) when there is no such level.
bool playLevel(ShellState& shell, int index);

// Takes the frame's presses of N, and goes on when the goal is reached and
// a next level is open.
void updateLevelKeys(ShellState& shell);

// Whether there is a level after the one played, for the win screen.
bool hasNextLevel(const ShellState& shell);

}  // namespace velmora::app
