#pragma once

namespace velmora::app {

struct ShellState;

// The whole program: start-up, the frame loop, shutdown. Returns the exit status.
// Arguments: none, or --level NAME to start on a chosen level.
int runGame(int argc, char** argv);

// Start-up as the game does it, up to its first frame: the option flags, the
// window library, the full-screen window, the entry points, the world and the
// render targets. False (after saying why) when the window could not be
// opened; the other start-up failures end the process as the game does.
// The world is of shell.levels' level at shell.levelIndex (the shipped
// level when that is -1).
bool openGame(ShellState& shell);
// Shutdown after the last frame: the world, then the window library.
void closeGame(ShellState& shell);

}  // namespace velmora::app
