#pragma once
// The game's option flags and HUD state in one object. The shell owns it
// (ShellState::options) and hands it to what reads it; it outlives the level
// played, so a switch to another level keeps the player's options.

#include <string>

#include "render/RenderOptions.h"

namespace velmora::app {

struct ShellOptions {
    bool showHelp = false;           // F1: the HUD shows the help lines
    bool showFrameTime = false;      // F2: the HUD shows frame time and object count
    RenderOptions render;            // F7 and F9, which the renderer reads
    double optionKeyLockout = 0.0;   // seconds since the last option key was taken
    float fieldOfView = 45.0f;       // vertical field of view, degrees

    bool gameWon = false;                // set by the frame loop once the goal was reached
    std::string statusMessage;           // the last option toggle's message
    bool statusMessageVisible = false;   // the last option message is on screen
    double statusMessageAge = 0.0;       // seconds since that message was set
    // Seconds since the frame-time lines were rebuilt: large, so the first
    // frame that shows them builds them at once.
    double frameTimeRefreshTimer = 10000.0;
    std::string frameTimeText;    // first frame-time line, as last rebuilt
    std::string objectCountText;  // second frame-time line, as last rebuilt
    // The latest run's standing on the leaderboard ("Leaderboard: sent"),
    // bottom right over the magnet; empty offline.
    std::string leaderboardLine;
};

}  // namespace velmora::app
