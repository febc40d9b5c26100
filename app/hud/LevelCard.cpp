#include "app/hud/LevelCard.h"

#include <algorithm>

#include "app/hud/HudMetrics.h"

namespace velmora::app {

namespace {
constexpr int kTitleSize = 40;
constexpr int kLineSize = 24;
}  // namespace

TextPanel levelCardPanel(const std::vector<std::string>& card, int screenWidth, int screenHeight) {
    std::vector<SizedLine> lines;
    for (size_t i = 0; i < card.size(); ++i) lines.push_back({card[i], i == 0 ? kTitleSize : kLineSize});
    ScreenBox area = panelArea(screenWidth, screenHeight);
    // The start hint's line stands at a sixth of the height: the card keeps
    // a corner size clear above it.
    const int size = cornerTextSize(screenHeight);
    const int hintClear = screenHeight / 6 + 2 * size;
    const int raise = std::clamp(hintClear - area.y, 0, area.height);
    area.y += raise;
    area.height -= raise;
    // The title's foot at two thirds of the height, the rest under it.
    return placeTextPanel(lines, {area, true, 0, screenHeight * 2 / 3});
}

}  // namespace velmora::app
