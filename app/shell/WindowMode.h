#pragma once
// Full screen or a window, switched at run time with F11 or Alt+Enter, and a
// window of any size: everything drawn follows the window's size from the
// frame after it changes.

#include "app/settings/Settings.h"

namespace velmora::app {

struct ShellState;

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The window a switch from full screen opens: where the settings say it was
// last, or the first time three quarters of the desktop, centred.
WindowRect windowedRect(const Settings& settings, int desktopWidth, int desktopHeight);

// Once a frame, before anything reads the screen's size: the presses of F11
// and Alt+Enter, then the window's present size.
void updateWindowMode(ShellState& shell);

// Full screen at the desktop size, or the window of windowedRect; the
// settings keep which, and the window's place when it is left.
void setFullScreenMode(ShellState& shell, bool fullScreen);

// Screen targets and text layout at the window's present pixel size, when
// that has changed (a size of zero, a minimised window, is left alone).
void followWindowSize(ShellState& shell);

// While windowed: the window's place and size into the settings.
void rememberWindow(ShellState& shell);

}  // namespace velmora::app
