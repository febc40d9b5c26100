#pragma once
// The pause menu: it stands over the paused, blurred scene whenever the run
// is paused (P, the pad's Start, the window losing the focus). Resume,
// Restart, Settings, Quit; the settings screen changes every setting and
// binds keys. Mouse (hover and click), keys (arrows or the movement keys,
// Enter to choose, P or Backspace back) and pad (D-pad or left stick, A to
// choose, B back). The cursor shows while it is open.

#include <array>
#include <string>
#include <vector>

#include "app/play/LevelProgress.h"
#include "platform/KeyCodes.h"

namespace velmora::app {

struct ShellState;

enum class MenuScreen { pause, settings, levels };

// One frame's menu controls, each down or not, merged over the devices.
struct MenuControls {
    bool up = false, down = false, left = false, right = false, choose = false, back = false;
    bool click = false;
};

struct PauseMenu {
    MenuScreen screen = MenuScreen::pause;
    int selected = 0;
    bool waitingForKey = false;  // a key entry was chosen: the next key pressed is bound
    std::string message;         // why the last key was refused, or what it now does
    bool open = false;           // as of the last frame
    MenuControls previous;       // the last frame's, so each acts on its press
    std::array<bool, platform::KEY_LAST + 1> keysDown{};  // while waiting for a key
    int lastCursorX = -1;        // hover selects only when the cursor moves
    int lastCursorY = -1;
    std::vector<LevelStanding> standings;  // the levels screen's, read when it opens
};

// Once a frame before the session's controls: opens with the pause, takes
// the frame's menu controls while open, and closes with the resume.
void updatePauseMenu(ShellState& shell);

// The entries the menu lists now, "Label: value" for settings.
std::vector<std::string> menuLines(const ShellState& shell);

}  // namespace velmora::app
