#pragma once
// What the menus list and what choosing each entry does, apart from input
// and drawing: the pause menu's choices and the settings screen's entries,
// each shown as "Label: value" and changed in place.

#include <optional>
#include <string>
#include <vector>

#include "app/settings/Settings.h"

namespace velmora::app {

enum class PauseChoice { resume, restart, settings, levels, quit };

// In menu order.
const std::vector<PauseChoice>& pauseChoices();
const char* pauseChoiceText(PauseChoice choice);

// What must follow a change, beyond the settings themselves.
// typedInFile: a setting typed in settings.ini (the leaderboard's address
// and the player's name), which the menu only shows.
enum class SettingEffect { none, display, vsync, renderScale, options, waitForKey, back, typedInFile };

// The settings screen: one entry per setting, each key to bind, then Back.
int settingsEntryCount();
std::string settingsEntryText(const Settings& settings, int entry);
// The entry chosen (step +1) or stepped left (-1) or right (+1): a switch
// flips, a list or number moves on (wrapping round when chosen at its end).
// A key entry waits for the key to bind instead; Back goes back.
SettingEffect changeSetting(Settings& settings, int entry, int step, bool chosen);
// The action a key entry binds.
std::optional<KeyAction> keyEntryAction(int entry);

}  // namespace velmora::app
