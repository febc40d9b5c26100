#pragma once
// Between the settings and the game's live options: the option keys switch
// the renderer's options and the HUD's at run time, and those states are
// settings too, kept from one game to the next.

namespace velmora::app {

struct ShellState;

// The settings' graphics and HUD states into the renderer's and the HUD's
// options; once the world exists.
void applySettings(ShellState& shell);

// The live option states back into the settings, and the settings file
// written when anything changed.
void keepSettings(ShellState& shell);

}  // namespace velmora::app
