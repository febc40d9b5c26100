#pragma once
// Whether a replay could have come from the game at all: a run is only as
// good as its input, and a file can hold input no player could give (a push
// upwards, or stronger than the keys) or a run longer than its level allows.
// Pure over the file's contents, so a verifier refuses such a run before
// spending a step of physics on it.

#include <cstdint>
#include <string>

#include "sim/ReplayFile.h"

namespace velmora {

// Empty when every step's input is one the game's controls can give, else
// "impossible input at step N" for the first that is not. Steps are counted
// from 1, as the replay tool's other lines count them.
std::string impossibleInput(const Replay& replay);

// Empty when a run of steps fits a level that allows longestSteps, else
// "longer than the level allows (longestSteps steps)".
std::string overLongRun(std::uint64_t steps, long longestSteps);

}  // namespace velmora
