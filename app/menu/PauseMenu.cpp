#include "app/menu/PauseMenu.h"

#include <algorithm>
#include <cmath>

#include "app/menu/MenuEntries.h"
#include "app/play/LevelSwitching.h"
#include "app/menu/MenuLayout.h"
#include "app/play/PlaySession.h"
#include "app/shell/RenderScaleControl.h"
#include "app/shell/ScreenSize.h"
#include "app/settings/SettingsApply.h"
#include "app/shell/ShellState.h"
#include "app/shell/WindowMode.h"
#include "platform/Gamepad.h"
#include "platform/KeyNames.h"
#include "platform/Window.h"

namespace velmora::app {

namespace {

constexpr float kStickTravel = 0.5f;  // a stick pushed this far counts as a D-pad press

bool keyDown(int key) { return platform::getKey(key) == platform::PRESS; }

MenuControls readControls(const KeyBindings& keys, bool settingsScreen) {
    const platform::GamepadState pad = platform::getGamepad();
    const float stickX = pad.axes[platform::PAD_AXIS_LEFT_X];
    const float stickY = pad.axes[platform::PAD_AXIS_LEFT_Y];
    MenuControls c;
    c.up = keyDown(platform::KEY_UP) || keyDown(keys.of(KeyAction::forward)) ||
           pad.pressed(platform::PAD_BUTTON_DPAD_UP) || stickY < -kStickTravel;
    c.down = keyDown(platform::KEY_DOWN) || keyDown(keys.of(KeyAction::back)) ||
             pad.pressed(platform::PAD_BUTTON_DPAD_DOWN) || stickY > kStickTravel;
    c.left = keyDown(platform::KEY_LEFT) || keyDown(keys.of(KeyAction::left)) ||
             pad.pressed(platform::PAD_BUTTON_DPAD_LEFT) || stickX < -kStickTravel;
    c.right = keyDown(platform::KEY_RIGHT) || keyDown(keys.of(KeyAction::right)) ||
              pad.pressed(platform::PAD_BUTTON_DPAD_RIGHT) || stickX > kStickTravel;
    // Alt+Enter switches the display, it chooses nothing.
    const bool alt = keyDown(platform::KEY_LALT) || keyDown(platform::KEY_RALT);
    c.choose = (keyDown(platform::KEY_ENTER) && !alt) || pad.pressed(platform::PAD_BUTTON_A);
    // On the pause screen the pause key and Start resume through the session,
    // as they always have; on the settings screen they go back.
    c.back = keyDown(platform::KEY_BACKSPACE) || pad.pressed(platform::PAD_BUTTON_B) ||
             (settingsScreen && (keyDown(keys.of(KeyAction::pause)) ||
                                 pad.pressed(platform::PAD_BUTTON_START)));
    c.click = platform::getMouseButton(platform::MOUSE_BUTTON_LEFT) == platform::PRESS;
    return c;
}

int entryCount(const PauseMenu& menu) {
    switch (menu.screen) {
    case MenuScreen::pause: return static_cast<int>(pauseChoices().size());
    case MenuScreen::settings: return settingsEntryCount();
    case MenuScreen::levels: return static_cast<int>(menu.standings.size()) + 1;  // and Back
    }
    return 0;
}

// "3 Parking  par 0:30  best 0:14.06", or "locked" for a level not yet open.
std::string levelLine(const LevelEntry& level, const LevelStanding& standing, int number) {
    std::string line = std::to_string(number) + " " + level.title + "  ";
    if (!standing.open) return line + "locked";
    const std::string par = runTimeText(level.parSteps);
    line += "par " + par.substr(0, par.size() - 3);  // whole seconds
    if (standing.finished) line += "  best " + runTimeText(standing.bestSteps);
    return line;
}

void resume(ShellState& shell) {
    shell.session.paused = false;
    // The control that resumed is spent: the session must not pause again on it.
    shell.session.pauseControlWasDown = true;
}

void choosePause(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    switch (pauseChoices()[static_cast<size_t>(menu.selected)]) {
    case PauseChoice::resume: resume(shell); break;
    case PauseChoice::restart: restartRun(shell); break;
    case PauseChoice::settings:
        menu.screen = MenuScreen::settings;
        menu.selected = 0;
        menu.message.clear();
        break;
    case PauseChoice::levels:
        menu.screen = MenuScreen::levels;
        menu.standings = levelStandings(shell.levels);
        menu.selected = std::max(shell.levelIndex, 0);
        menu.message.clear();
        break;
    case PauseChoice::quit: shell.quitRequested = true; break;
    }
}

void backToPause(PauseMenu& menu) {
    const PauseChoice from = menu.screen == MenuScreen::levels ? PauseChoice::levels : PauseChoice::settings;
    menu.screen = MenuScreen::pause;
    menu.waitingForKey = false;
    menu.message.clear();
    for (size_t i = 0; i < pauseChoices().size(); ++i) {
        if (pauseChoices()[i] == from) menu.selected = static_cast<int>(i);
    }
}

// A level chosen on the levels screen: an open one is played from its start
// (the menu closes with the pause); a locked one says so.
void chooseLevel(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    const int count = static_cast<int>(menu.standings.size());
    if (menu.selected >= count) {
        backToPause(menu);
        return;
    }
    if (!menu.standings[static_cast<size_t>(menu.selected)].open) {
        menu.message = "Finish the level before it to open this one";
        return;
    }
    playLevel(shell, menu.selected);
}

void changeSelected(ShellState& shell, int step, bool chosen) {
    PauseMenu& menu = shell.menu;
    Settings& settings = shell.settings;
    switch (changeSetting(settings, menu.selected, step, chosen)) {
    case SettingEffect::none: break;
    case SettingEffect::display: setFullScreenMode(shell, settings.fullScreen); break;
    case SettingEffect::vsync:
        platform::setSwapInterval(settings.vsync ? 1 : 0);
        startRenderScale(shell);  // the frame target may follow vsync
        break;
    case SettingEffect::renderScale: startRenderScale(shell); break;
    case SettingEffect::options: applySettings(shell); break;
    case SettingEffect::waitForKey:
        menu.waitingForKey = true;
        menu.message = "Press the new key";
        // Keys already down (the Enter that chose) are not the new key.
        for (int key = 0; key <= platform::KEY_LAST; ++key) menu.keysDown[key] = keyDown(key);
        return;
    case SettingEffect::back: backToPause(menu); return;
    }
    menu.message.clear();
    shell.settingsFile.saveIfChanged(settings);
}

// The first key that went down since the last frame, or -1.
int newKey(PauseMenu& menu) {
    int pressed = -1;
    for (int key = 0; key <= platform::KEY_LAST; ++key) {
        const bool down = keyDown(key);
        if (down && !menu.keysDown[key] && pressed < 0 && !platform::keyName(key).empty()) pressed = key;
        menu.keysDown[key] = down;
    }
    return pressed;
}

void bindWaitingKey(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    const int key = newKey(menu);
    if (key < 0) return;
    // Whatever the key does elsewhere, this press only binds.
    shell.session.pauseControlWasDown = true;
    shell.session.restartControlWasDown = true;
    menu.waitingForKey = false;
    const KeyAction action = *keyEntryAction(menu.selected);
    const std::string refused = rebind(shell.settings.keys, action, key);
    menu.message = refused.empty() ? platform::keyName(key) + " now does: " + actionName(action)
                                   : refused;
    shell.settingsFile.saveIfChanged(shell.settings);
}

void takeCursor(ShellState& shell, bool click) {
    PauseMenu& menu = shell.menu;
    int x = 0;
    int y = 0;
    platform::getMousePos(&x, &y);
    const MenuLayout layout =
        layoutMenu(menu.screen, entryCount(menu), menu.selected, shell.screenWidth, shell.screenHeight);
    const int entry = entryAt(layout, x, y, shell.screenHeight);
    const bool moved = x != menu.lastCursorX || y != menu.lastCursorY;
    menu.lastCursorX = x;
    menu.lastCursorY = y;
    if (entry < 0) return;
    if (moved || click) menu.selected = entry;
    if (!click) return;
    if (menu.screen == MenuScreen::pause) {
        choosePause(shell);
    } else if (menu.screen == MenuScreen::levels) {
        chooseLevel(shell);
    } else {
        changeSelected(shell, 1, true);
    }
}

void takeControls(ShellState& shell, const MenuControls& now, const MenuControls& before) {
    PauseMenu& menu = shell.menu;
    const auto pressed = [](bool n, bool b) { return n && !b; };
    const int count = entryCount(menu);
    if (pressed(now.up, before.up)) menu.selected = (menu.selected + count - 1) % count;
    if (pressed(now.down, before.down)) menu.selected = (menu.selected + 1) % count;
    if (menu.screen == MenuScreen::pause) {
        if (pressed(now.choose, before.choose)) {
            choosePause(shell);
        } else if (pressed(now.back, before.back)) {
            resume(shell);
        }
    } else if (menu.screen == MenuScreen::levels) {
        if (pressed(now.choose, before.choose)) {
            chooseLevel(shell);
        } else if (pressed(now.back, before.back)) {
            backToPause(menu);
            shell.session.pauseControlWasDown = true;  // that press only went back
        }
    } else {
        if (pressed(now.left, before.left)) changeSelected(shell, -1, false);
        if (pressed(now.right, before.right)) changeSelected(shell, 1, false);
        if (pressed(now.choose, before.choose)) changeSelected(shell, 1, true);
        if (pressed(now.back, before.back)) {
            backToPause(menu);
            shell.session.pauseControlWasDown = true;  // that press only went back
        }
    }
    takeCursor(shell, pressed(now.click, before.click));
}

}  // namespace

void updatePauseMenu(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    const MenuControls now = readControls(shell.settings.keys, menu.screen != MenuScreen::pause);
    const bool opening = shell.session.paused && !menu.open;
    if (opening) {
        menu.screen = MenuScreen::pause;
        menu.selected = 0;
        menu.waitingForKey = false;
        menu.message.clear();
        platform::showMouseCursor();
    }
    if (shell.session.paused && !opening) {
        if (menu.waitingForKey) {
            bindWaitingKey(shell);
        } else {
            takeControls(shell, now, menu.previous);
        }
    }
    if (menu.open && !shell.session.paused) platform::hideMouseCursor();
    menu.open = shell.session.paused;
    menu.previous = now;
}

std::vector<std::string> menuLines(const ShellState& shell) {
    std::vector<std::string> lines;
    if (shell.menu.screen == MenuScreen::pause) {
        for (PauseChoice choice : pauseChoices()) lines.push_back(pauseChoiceText(choice));
    } else if (shell.menu.screen == MenuScreen::levels) {
        const std::vector<LevelStanding>& standings = shell.menu.standings;
        for (size_t i = 0; i < standings.size() && i < shell.levels.levels.size(); ++i) {
            lines.push_back(levelLine(shell.levels.levels[i], standings[i], static_cast<int>(i) + 1));
        }
        lines.push_back("Back");
    } else {
        for (int i = 0; i < settingsEntryCount(); ++i) {
            lines.push_back(settingsEntryText(shell.settings, i));
        }
    }
    return lines;
}

}  // namespace velmora::app
