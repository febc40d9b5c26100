#pragma once
// Draws the pause menu, when it is open, over the finished picture: flat
// quads for its panel and the selected row, the game's text for the rest, at
// the window's own pixels so it stays sharp at any render scale.

namespace velmora::app {

struct ShellState;

void drawPauseMenu(ShellState& shell);

}  // namespace velmora::app
