#pragma once
// The pause menu: it stands over the paused, blurred scene whenever the run
// is paused (P, the pad's Start, the window losing the focus). Resume,
// Restart, Settings, Levels, Quit; the settings screen changes every setting
// and binds keys. Mouse (hover and click), keys (arrows or the movement keys,
// Enter to choose, Escape, Backspace or P back) and pad (D-pad or left stick,
// A to choose, B or Start back). The cursor shows while it is open.
//
// While open it has the keys: every press goes to the key prompt when one
// waits, else to the screen shown, and reaches nothing under the menu; only
// the option keys, the display switch and mute (MenuKeys.h) go on to the game.

#include <string>
#include <vector>

#include "app/play/LevelProgress.h"

namespace velmora::app {

struct ShellState;

enum class MenuScreen { pause, settings, levels };

struct PauseMenu {
    MenuScreen screen = MenuScreen::pause;
    int selected = 0;
    bool waitingForKey = false;  // a key entry was chosen: the next key pressed is bound
    std::string message;         // why the last key was refused, or what it now does
    bool open = false;           // shown over the paused run
    int lastCursorX = -1;        // hover selects only when the cursor moves
    int lastCursorY = -1;
    std::vector<LevelStanding> standings;  // the levels screen's, read when it opens
    // With a leaderboard: the level whose table the levels screen shows
    // under its list (the last level selected; -1: none yet); whether a
    // level chosen is raced against its record (the "Race the record"
    // switch, kept while the game runs), and the level whose record is
    // being fetched.
    int boardLevel = -1;
    std::string boardIdentity;  // that level's, as the leaderboard names it (read from its tiles once)
    bool raceRecord = false;
    int racedLevel = -1;        // the level whose record is being fetched; -1: none
    std::string racedIdentity;
};

// Once a frame, first of all the controls: takes the frame's presses in the
// order they came. Closed, the pause control pauses and opens it (and the
// presses after it in the same frame are the menu's); open, it takes every
// press as above. It also opens over a run paused otherwise (the focus lost)
// and closes when the run goes on (Resume, Restart, a level chosen).
void updatePauseMenu(ShellState& shell);

// The entries the menu lists now, "Label: value" for settings.
std::vector<std::string> menuLines(const ShellState& shell);

}  // namespace velmora::app
