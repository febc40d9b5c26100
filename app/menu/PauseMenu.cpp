#include "app/menu/PauseMenu.h"

#include <algorithm>
#include <iostream>
#include <cmath>

#include "app/menu/MenuEntries.h"
#include "app/menu/MenuKeys.h"
#include "app/play/LevelSwitching.h"
#include "app/menu/MenuLayout.h"
#include "app/online/LeaderboardLink.h"
#include "app/play/RunArchive.h"
#include "app/play/PlaySession.h"
#include "app/shell/RenderScaleControl.h"
#include "app/shell/ScreenSize.h"
#include "app/settings/SettingsApply.h"
#include "app/shell/ShellState.h"
#include "app/shell/WindowMode.h"
#include "platform/KeyNames.h"
#include "platform/Window.h"

namespace velmora::app {

namespace {

constexpr const char* kRaceRecord = "Race the record";

// The levels screen's table lines, when a leaderboard is set and a level chosen.
std::vector<std::string> boardRows(const ShellState& shell) {
    if (!shell.leaderboard || shell.menu.boardIdentity.empty()) return {};
    return shell.leaderboard->state().levelBoard(shell.menu.boardIdentity);
}

// Every row can be moved to, the table's too, so that a long one scrolls
// into sight; choosing a table row does nothing.
int entryCount(const ShellState& shell) {
    const PauseMenu& menu = shell.menu;
    switch (menu.screen) {
    case MenuScreen::pause: return static_cast<int>(pauseChoices().size());
    case MenuScreen::settings: return settingsEntryCount();
    case MenuScreen::levels:
        // The levels, Race the record with a leaderboard, Back, then the table.
        return static_cast<int>(menu.standings.size()) + (shell.leaderboard ? 2 : 1) +
               static_cast<int>(boardRows(shell).size());
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

void resume(ShellState& shell) { shell.session.paused = false; }

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
        menu.boardLevel = -1;
        menu.boardIdentity.clear();
        menu.racedLevel = -1;
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
    const int back = count + (shell.leaderboard ? 1 : 0);
    if (shell.leaderboard && menu.selected == count) {
        menu.raceRecord = !menu.raceRecord;
        menu.message = menu.raceRecord ? "Choose a level to race its record" : "";
        return;
    }
    if (menu.selected == back) {
        backToPause(menu);
        return;
    }
    if (menu.selected > back) return;  // a row of the table
    if (!menu.standings[static_cast<size_t>(menu.selected)].open) {
        menu.message = "Finish the level before it to open this one";
        return;
    }
    if (shell.leaderboard && menu.raceRecord) {
        // Played once the record has come (raceRecordWhenItComes).
        const LevelEntry& level = shell.levels.levels[static_cast<size_t>(menu.selected)];
        menu.racedLevel = menu.selected;
        menu.racedIdentity = menu.selected == menu.boardLevel ? menu.boardIdentity : leaderboardLevel(level);
        shell.leaderboard->requestRecord(menu.racedIdentity);
        menu.message = "Fetching the record of " + level.title;
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
        return;
    case SettingEffect::back: backToPause(menu); return;
    case SettingEffect::typedInFile:
        menu.message = "Typed in settings.ini: leaderboard = ADDRESS, player_name = NAME";
        return;
    }
    menu.message.clear();
    shell.settingsFile.saveIfChanged(settings);
}

// The prompt takes the next key: Escape (or the pad's B) cancels, any other
// key is bound or refused with the reason, and its press does nothing else.
void takePromptPress(ShellState& shell, const Press& press) {
    PauseMenu& menu = shell.menu;
    if (press.isKey(platform::KEY_ESC) || press.is(PressSource::pad, platform::PAD_BUTTON_B)) {
        menu.waitingForKey = false;
        menu.message.clear();
        return;
    }
    if (press.source != PressSource::key) return;
    menu.waitingForKey = false;
    const KeyAction action = *keyEntryAction(menu.selected);
    const std::string refused = rebind(shell.settings.keys, action, press.code);
    menu.message = refused.empty() ? platform::keyName(press.code) + " now does: " + actionName(action)
                                   : refused;
    shell.settingsFile.saveIfChanged(shell.settings);
}

MenuLayout currentLayout(const ShellState& shell) {
    const PauseMenu& menu = shell.menu;
    return layoutMenu(menu.screen, entryCount(shell), menu.selected, shell.screenWidth, shell.screenHeight);
}

// The cursor selects the entry it moves onto.
void followCursor(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    int x = 0;
    int y = 0;
    platform::getMousePos(&x, &y);
    const bool moved = x != menu.lastCursorX || y != menu.lastCursorY;
    menu.lastCursorX = x;
    menu.lastCursorY = y;
    const int entry = entryAt(currentLayout(shell), x, y, shell.screenHeight);
    if (moved && entry >= 0) menu.selected = entry;
}

void choose(ShellState& shell) {
    switch (shell.menu.screen) {
    case MenuScreen::pause: choosePause(shell); break;
    case MenuScreen::levels: chooseLevel(shell); break;
    case MenuScreen::settings: changeSelected(shell, 1, true); break;
    }
}

void click(ShellState& shell) {
    int x = 0;
    int y = 0;
    platform::getMousePos(&x, &y);
    const int entry = entryAt(currentLayout(shell), x, y, shell.screenHeight);
    if (entry < 0) return;
    shell.menu.selected = entry;
    choose(shell);
}

void takeCommand(ShellState& shell, MenuCommand command) {
    PauseMenu& menu = shell.menu;
    const int count = entryCount(shell);
    switch (command) {
    case MenuCommand::none: break;
    case MenuCommand::up: menu.selected = (menu.selected + count - 1) % count; break;
    case MenuCommand::down: menu.selected = (menu.selected + 1) % count; break;
    case MenuCommand::left:
        if (menu.screen == MenuScreen::settings) changeSelected(shell, -1, false);
        break;
    case MenuCommand::right:
        if (menu.screen == MenuScreen::settings) changeSelected(shell, 1, false);
        break;
    case MenuCommand::choose: choose(shell); break;
    case MenuCommand::click: click(shell); break;
    case MenuCommand::back:
        if (menu.screen == MenuScreen::pause) {
            resume(shell);
        } else {
            backToPause(menu);
        }
        break;
    }
}

void openMenu(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    menu.open = true;
    menu.screen = MenuScreen::pause;
    menu.selected = 0;
    menu.waitingForKey = false;
    menu.message.clear();
    platform::showMouseCursor();
}

void closeMenu(ShellState& shell) {
    shell.menu.open = false;
    shell.menu.waitingForKey = false;
    platform::hideMouseCursor();
}

// The levels screen's table follows the level selected; the rows below the
// levels leave the last one's.
void followBoard(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    if (!shell.leaderboard || !menu.open || menu.screen != MenuScreen::levels) return;
    const int count = static_cast<int>(menu.standings.size());
    const int level = menu.selected < count ? menu.selected : menu.boardLevel;
    if (level == menu.boardLevel || level < 0 || level >= static_cast<int>(shell.levels.levels.size())) return;
    menu.boardLevel = level;
    const LevelEntry& entry = shell.levels.levels[static_cast<size_t>(level)];
    // Hashed from the tiles' bytes: once per level selected, never per frame.
    menu.boardIdentity = leaderboardLevel(entry);
    shell.leaderboard->requestBoard(menu.boardIdentity, entry.title);
}

// The record asked for has come: its level is played from the start with
// the record's run as the ghost. Only while the screen that asked is still
// up; a record that comes after the player left it is dropped.
void raceRecordWhenItComes(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    if (!shell.leaderboard) return;
    std::optional<RecordDownload> record = shell.leaderboard->state().takeRecord();
    if (!record) return;
    // One asked for earlier, for another level, is not this one.
    if (menu.racedLevel < 0 || record->level != menu.racedIdentity || !menu.open ||
        menu.screen != MenuScreen::levels) {
        return;
    }
    const int index = menu.racedLevel;
    menu.racedLevel = -1;
    if (!record->run) {
        menu.message = record->error;
        return;
    }
    const LevelEntry& level = shell.levels.levels[static_cast<size_t>(index)];
    playLevel(shell, index);
    // For this run of the level: the level's next load follows the player's own best again.
    shell.archive.ghostPath = ghostPathOf(*record->run, level);
    shell.session.showGhost = true;
    std::cout << "Racing the record of " << level.title << ": " << runTimeText(clockedSteps(record->run->inputs))
              << std::endl;
    if (!shell.session.paused) closeMenu(shell);
}

}  // namespace

void updatePauseMenu(ShellState& shell) {
    PauseMenu& menu = shell.menu;
    const KeyBindings& keys = shell.settings.keys;
    FrameInput& input = shell.input;
    if (shell.session.paused && !menu.open) openMenu(shell);
    if (menu.open) followCursor(shell);
    for (Press& press : input.presses()) {
        if (press.taken) continue;
        if (!menu.open) {
            if (!isPauseControl(press, keys)) continue;
            input.take(press);
            shell.session.paused = true;
            openMenu(shell);
            continue;
        }
        if (menu.waitingForKey) {
            input.take(press);
            takePromptPress(shell, press);
            continue;
        }
        if (passesMenus(press, keys)) continue;
        input.take(press);
        takeCommand(shell, menuCommand(press, keys));
        // Resumed, restarted or another level: the rest of the frame's presses are the game's.
        if (!shell.session.paused) closeMenu(shell);
    }
    followBoard(shell);
    raceRecordWhenItComes(shell);
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
        if (shell.leaderboard) lines.push_back(std::string(kRaceRecord) + (shell.menu.raceRecord ? ": on" : ": off"));
        lines.push_back("Back");
        for (const std::string& row : boardRows(shell)) lines.push_back(row);
    } else {
        for (int i = 0; i < settingsEntryCount(); ++i) {
            lines.push_back(settingsEntryText(shell.settings, i));
        }
    }
    return lines;
}

}  // namespace velmora::app
