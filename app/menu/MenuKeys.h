#pragma once
// What each press means to the menus, apart from what the menu then does.

#include "app/input/FrameInput.h"
#include "app/input/KeyBindings.h"

namespace velmora::app {

enum class MenuCommand { none, up, down, left, right, choose, back, click };

// Arrows or the movement keys move, Enter chooses (Alt+Enter is the
// display's), Escape, Backspace and the pause key go back; the left button
// clicks; the pad's D-pad (or stick) moves, A chooses, B and Start go back.
MenuCommand menuCommand(const Press& press, const KeyBindings& keys);

// The presses that go on to the game under an open menu: the option keys
// F1 to F9, the display switch (F11, Alt+Enter) and mute.
bool passesMenus(const Press& press, const KeyBindings& keys);

// P (or its key) or the pad's Start: what pauses a run and opens the menu.
bool isPauseControl(const Press& press, const KeyBindings& keys);

}  // namespace velmora::app
