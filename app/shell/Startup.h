#pragma once
// Start-up after the window is open and the entry points are loaded, and the
// matching shutdown. Split from the entry point so a test can run them on the
// test's own context.

#include <vector>

#include "level/LevelSet.h"

namespace velmora::app {

struct ShellState;

// Sets the window title and creates the world (of the given level) and the
// text renderer, in that order.
void initialize(ShellState& shell, const LevelEntry& level = shippedLevel());
void initialize(ShellState& shell, const std::vector<LevelTile>& tiles);

// Releases the world of the level being played and builds the given one in
// its place, with a new run; the window, the targets and the text stay.
void switchLevel(ShellState& shell, const LevelEntry& level);

// The GL state of the whole run, the shadow cube map and its framebuffer, the
// scene and blur targets (at the render scale's share of the screen), the
// blur program and the screen quad, in that order.
void createRenderTargets(ShellState& shell);

// Releases the world, the blur program, the text renderer, the screen
// targets and the menu's quads, in that order.
void shutdown(ShellState& shell);

}  // namespace velmora::app
