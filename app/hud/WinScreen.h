#pragma once
// The win screen: over the dimmed scene, the level finished, "You won the
// game!", the run's time against the level's par and the best before it,
// and the keys for what comes next, all on one panel.

#include <string>
#include <vector>

#include "app/input/KeyBindings.h"
#include "screen/TextFit.h"

namespace velmora::app {

struct WinFacts {
    std::string level;            // "Level 2: In tow"; empty for tiles outside the set
    long steps = 0;               // the run's time
    long parSteps = -1;           // -1: the level has none
    long bestSteps = -1;          // the best now, this run included
    long previousBestSteps = -1;  // the best before this run; -1: none
    bool watching = false;        // a recorded run is shown: no comparison
    bool nextLevelOpen = false;
    KeyBindings keys;
};

constexpr const char* kWinHeadline = "You won the game!";

// "Best 0:52.10, 1.24 s faster" (or "slower", or "the same time"): the best
// before this run and how this run compares with it.
std::string bestComparisonText(long steps, long previousBestSteps);

// The lines at their full sizes, top first; the headline is always there.
std::vector<SizedLine> winLines(const WinFacts& facts);

// Which of winLines is the headline.
int winHeadlineIndex(const WinFacts& facts);

}  // namespace velmora::app
