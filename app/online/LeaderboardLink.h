#pragma once
// Where the leaderboard client meets the game: started with the game when
// the settings name a leaderboard and the runs are the player's own, and
// stopped when the game closes, after the last run's files are written.

#include <string>

#include "level/LevelSet.h"

namespace velmora::app {

struct ShellState;

void startLeaderboard(ShellState& shell);
void stopLeaderboard(ShellState& shell);

// The level as the leaderboard names it: its identity, as the replay files do.
std::string leaderboardLevel(const LevelEntry& level);

}  // namespace velmora::app
