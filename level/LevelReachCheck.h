#pragma once
// The level checker's reachability part: floods where each player sphere
// can roll from its start with every door open, then reports a goal out of
// reach, ways out of the level with no reset volume under them, and
// switches and doors no sphere reaches.

#include "level/LevelCheck.h"

namespace velmora {

// Adds report.reach and the problems found to the report.
void checkReach(LevelReport& report, const LevelCheckSettings& settings);

}  // namespace velmora
