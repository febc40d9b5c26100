#pragma once
// The text over the scene: help, the win or last option message, frame time
// and drawn-object count, and the play session's lines (SessionLines.h). Drawn into the scene target before the blur, so the
// text takes part in the post-process like the scene does.

#include <string>

namespace velmora::app {

struct ShellState;

struct ShellOptions;

// Shows `text` on the message line for two seconds from now, replacing any
// earlier message.
void showStatusMessage(ShellOptions& options, const std::string& text);

// Draws this frame's lines into the bound framebuffer with the shell's text
// renderer.
void drawHud(double dt, ShellState& shell);

}  // namespace velmora::app
