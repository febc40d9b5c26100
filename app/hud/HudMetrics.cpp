#include "app/hud/HudMetrics.h"

#include <algorithm>

namespace velmora::app {

int cornerTextSize(int screenHeight) { return std::clamp(screenHeight / 36, 10, 20); }

int frameTimeX(int size) { return size * 5 / 2; }

int frameTimeY(int size, int line) { return size * (3 - line); }

ScreenBox panelArea(int screenWidth, int screenHeight) {
    const int size = cornerTextSize(screenHeight);
    // Bottom: the frame time's upper line ends at four sizes. Top: the timer
    // and the replay line under it end three and a half sizes down.
    const int bottom = 4 * size + size / 2;
    const int top = screenHeight - 4 * size;
    return {size, bottom, screenWidth - 2 * size, std::max(0, top - bottom)};
}

}  // namespace velmora::app
