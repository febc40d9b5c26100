#pragma once
// The play session's corner readouts: the run timer top right, the replay
// line under it, and the magnet's direction bottom right with the latest
// run's leaderboard line over it. Positions as in HudLines.h, in the bands of
// HudMetrics.h.

#include <string>
#include <vector>

#include "app/hud/HudLines.h"

namespace velmora::app {

struct PlaySession;

// The run timer only when showTimer (a setting). The leaderboard line keeps
// to the right half, clear of the frame-time readout: smaller where it is
// long, and cut short ("...") where even the smallest size would not fit.
std::vector<HudLine> sessionLines(const PlaySession& session, bool spheresCoupled, int screenWidth,
                                  int screenHeight, bool showTimer = true,
                                  const std::string& leaderboardLine = {});

}  // namespace velmora::app
