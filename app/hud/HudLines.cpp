#include "app/hud/HudLines.h"

#include <algorithm>
#include <climits>

#include "app/shell/ShellOptions.h"

namespace velmora::app {

const char* const helpLines[kHelpLineCount] = {
    "Aim: switches open doors; reach the chequered goal",
    "W A S D-Roll the sphere, relative to the camera",
    "Screen edges, arrow keys-Turn the camera; wheel-Zoom",
    "Left button-Couple: pull the big sphere (gap under 0.5 m)",
    "Right button-Uncouple: push it away",
    "R-Restart  P-Pause  Esc, Q-Quit",
    "F1-Help",
    "F2-Frame Time on/off",
    "F3-Wire Frame on/off",
    "F5-Mip Mapping-Quality: Off/Nearest Neighbor/Linear",
    "F7-Shadows on/off",
    "F8-Viewfrustum-Culling on/off",
    "F9-Transparency on/off",
};

namespace {

constexpr int kHelpSize = 14;
constexpr int kWinSize = 30;
constexpr int kStatusSize = 25;
constexpr int kFrameTimeSize = 20;
constexpr double kAgeCeiling = 100000.0;
constexpr double kAgeAfterCeiling = 2000.0;

// Whole pixels, truncated towards zero, from a position worked out in doubles.
int pixel(double position) { return static_cast<int>(position); }

// Truncated towards zero and kept inside int, where a plain cast of a huge
// rate would be undefined.
int truncatedFigure(double value) {
    if (!(value > 0.0)) return 0;
    return pixel(std::min(value, static_cast<double>(INT_MAX)));
}

void addHelpLines(std::vector<HudLine>& lines, int screenWidth, int screenHeight) {
    const double w = screenWidth;
    const double h = screenHeight;
    for (int k = 0; k < kHelpLineCount; ++k) {
        lines.push_back({helpLines[k], pixel(w / 20.0), pixel(h - h / 12.0 - kHelpSize * k), kHelpSize});
    }
}

void addMessageLine(std::vector<HudLine>& lines, int screenWidth, int screenHeight, ShellOptions& options) {
    const double w = screenWidth;
    const double h = screenHeight;
    const int x = pixel(w / 5.0);
    const int y = pixel(h - h / 3.0);
    if (options.gameWon) {
        // Centred: the win screen's headline over the dimmed scene.
        const std::string won = "You won the game!";
        lines.push_back({won, pixel((w - static_cast<double>(won.size()) * kWinSize) / 2.0), y, kWinSize});
    } else if (options.statusMessageVisible && options.statusMessageAge < kStatusMessageSeconds) {
        lines.push_back({options.statusMessage, x, y, kStatusSize});
    } else {
        options.statusMessageVisible = false;
    }
}

void addFrameTimeLines(std::vector<HudLine>& lines, double dt, int drawnObjectCount, ShellOptions& options) {
    if (options.frameTimeRefreshTimer > kFrameTimeRefreshSeconds) {
        // The figures of this one frame, held on screen until the next rebuild.
        options.frameTimeText = frameTimeLine(dt);
        options.objectCountText = "Objects:" + std::to_string(drawnObjectCount);
        options.frameTimeRefreshTimer = 0.0;
    }
    lines.push_back({options.frameTimeText, 50, 60, kFrameTimeSize});
    lines.push_back({options.objectCountText, 50, 40, kFrameTimeSize});
    options.frameTimeRefreshTimer += dt;
}

}  // namespace

std::string frameTimeLine(double dt) {
    // A clock too coarse to see the frame pass gives no rate at all.
    const int framesPerSecond = dt > 0.0 ? truncatedFigure(1.0 / dt) : 0;
    return std::to_string(framesPerSecond) + "fps, time:" +
           std::to_string(truncatedFigure(dt * 1000.0)) + "ms";
}

std::vector<HudLine> hudLinesForFrame(double dt, int screenWidth, int screenHeight,
                                      int drawnObjectCount, ShellOptions& options) {
    std::vector<HudLine> lines;
    if (options.showHelp) addHelpLines(lines, screenWidth, screenHeight);
    addMessageLine(lines, screenWidth, screenHeight, options);
    if (options.showFrameTime) addFrameTimeLines(lines, dt, drawnObjectCount, options);
    options.statusMessageAge += dt;
    if (options.statusMessageAge > kAgeCeiling) options.statusMessageAge = kAgeAfterCeiling;
    return lines;
}

}  // namespace velmora::app
