#pragma once
// The scale the 3-D scene and the blur are drawn at: the settings' own, or,
// with the automatic scale on, what it chooses within the settings' range to
// hold the frame target. The HUD and the menus stay at the window's pixels.

namespace velmora::app {

struct ShellState;

// Percent of the window's pixels the scene is drawn at.
int currentRenderScale(const ShellState& shell);
// Makes the automatic scale anew from the settings (or drops it when they
// turn it off), starting at the top of its range, and fits the screen
// targets to the scale: at start-up and whenever a setting it reads changes.
void startRenderScale(ShellState& shell);
// Gives the automatic scale the frame's interval; the screen targets follow
// when it moves.
void followFrameTime(ShellState& shell, double dt);

}  // namespace velmora::app
