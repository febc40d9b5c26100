#pragma once

namespace velmora::app {

struct ShellState;

// The whole program: start-up, the frame loop, shutdown. Returns the exit
// status: 0, or -1 when the game could not start or go on (after its lines).
// Arguments: none, or --level NAME to start on a chosen level.
int runGame(int argc, char** argv);

// Start-up as the game does it, up to its first frame: the option flags, the
// window library, the full-screen window, the entry points, the world and the
// render targets. False (after saying why) when the game could not start;
// then the window library is ended (but for a failed entry-point load) and,
// past the window, the settings are saved, and a console is paused.
bool openGame(ShellState& shell);
// The part of the start-up on the open window: the world of shell.levels'
// level at shell.levelIndex (the shipped level when that is -1), the render
// targets and the sound. False when a program or the world could not be
// built (its lines are printed): then the settings are saved and all of it
// released, and the window is left to the caller.
bool startWorld(ShellState& shell);
// The settings saved with the window's place and the last run's files
// written, then the sound and the world released: the end of a game, also of one that failed; the window stays.
void keepSettingsAndRelease(ShellState& shell);
// Shutdown after the last frame: the above, then the window library.
void closeGame(ShellState& shell);

}  // namespace velmora::app
