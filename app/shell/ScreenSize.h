#pragma once
// The size everything on screen is made for: the window's pixels, and the
// share of them the 3-D scene and the blur are drawn at (render scale).

namespace velmora::app {

struct ShellState;

// percent of length, at least one pixel: 50 % of 1280 is 640.
int scaledLength(int length, int percent);

// Makes the shell's screen targets, text layout and sizes fit a window of
// width x height pixels at the settings' render scale; the targets it had
// before are released. The HUD, the projection and the camera's edge bands
// read the size every frame and follow by themselves.
void setScreenSize(ShellState& shell, int width, int height);

}  // namespace velmora::app
