#pragma once
// How far the player has come through the level set: a level is finished
// once a best time is kept for it, and open when it is the first level or
// the one before it is finished. The best times file is the only record, so
// progress survives exactly as long as the times do.

#include <string>
#include <vector>

#include "level/LevelSet.h"

namespace velmora::app {

struct LevelStanding {
    long bestSteps = -1;  // -1: not finished
    bool finished = false;
    bool open = false;
};

// The shipped set; when its list can't be read, the shipped level alone
// (with one line saying why).
LevelSet shippedLevelSet();

// Each level's standing, in play order, from the best times kept in the
// data folder (none when it can't be read).
std::vector<LevelStanding> levelStandings(const LevelSet& set);

// Where a game without --level starts: the first level not yet finished,
// or the first of all when every one is.
int firstUnfinishedLevel(const std::vector<LevelStanding>& standings);

// The level of --level NAME; -1 and a line naming the set's levels when
// there is none of that name.
int chosenLevel(const LevelSet& set, const std::string& name);

}  // namespace velmora::app
