#include "app/hud/HudLines.h"

#include <algorithm>
#include <climits>

#include "app/hud/HudMetrics.h"
#include "app/shell/ShellOptions.h"

namespace velmora::app {

namespace {

constexpr double kAgeCeiling = 100000.0;
constexpr double kAgeAfterCeiling = 2000.0;

// Truncated towards zero and kept inside int, where a plain cast of a huge
// rate would be undefined.
int truncatedFigure(double value) {
    if (!(value > 0.0)) return 0;
    return static_cast<int>(std::min(value, static_cast<double>(INT_MAX)));
}

}  // namespace

std::string frameTimeLine(double dt) {
    // A clock too coarse to see the frame pass gives no rate at all.
    const int framesPerSecond = dt > 0.0 ? truncatedFigure(1.0 / dt) : 0;
    return std::to_string(framesPerSecond) + "fps, time:" +
           std::to_string(truncatedFigure(dt * 1000.0)) + "ms";
}

std::string shownStatusMessage(ShellOptions& options) {
    if (options.statusMessageVisible && options.statusMessageAge < kStatusMessageSeconds) return options.statusMessage;
    options.statusMessageVisible = false;
    return {};
}

void ageStatusMessage(ShellOptions& options, double dt) {
    options.statusMessageAge += dt;
    if (options.statusMessageAge > kAgeCeiling) options.statusMessageAge = kAgeAfterCeiling;
}

std::vector<HudLine> frameTimeLines(ShellOptions& options, double dt, int screenHeight, int drawnObjectCount,
                                    int renderScale) {
    if (!options.showFrameTime) return {};
    if (options.frameTimeRefreshTimer > kFrameTimeRefreshSeconds) {
        // The figures of this one frame, held on screen until the next rebuild.
        options.frameTimeText = frameTimeLine(dt);
        options.objectCountText = "Objects:" + std::to_string(drawnObjectCount);
        options.frameTimeRefreshTimer = 0.0;
    }
    options.frameTimeRefreshTimer += dt;
    const int size = cornerTextSize(screenHeight);
    // The scale under the two, not beside the frame time: a longer first
    // line would reach under the pause menu's panel.
    return {{options.frameTimeText, frameTimeX(size), frameTimeY(size, 0), size},
            {options.objectCountText, frameTimeX(size), frameTimeY(size, 1), size},
            {"scale:" + std::to_string(renderScale) + "%", frameTimeX(size), frameTimeY(size, 2), size}};
}

}  // namespace velmora::app
