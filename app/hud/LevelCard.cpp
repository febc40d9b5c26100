#include "app/hud/LevelCard.h"

#include <algorithm>

#include "app/hud/HudMetrics.h"

namespace velmora::app {

namespace {
constexpr int kTitleSize = 40;  // at 720 rows
constexpr int kLineSize = 24;
}  // namespace

TextPanel levelCardPanel(const std::vector<std::string>& card, int screenWidth, int screenHeight) {
    ScreenBox area = panelArea(screenWidth, screenHeight);
    // Sized for 720 rows, and in proportion on smaller and larger screens,
    // so that the card takes the same share of any. Each line is made
    // smaller to stand on one line, but to no less than half its size: a
    // short, wide card leaves the goal under it in view. Only what would get
    // smaller still is wrapped.
    const float scale = std::clamp(static_cast<float>(screenHeight) / 720.0f, 0.5f, 2.0f);
    std::vector<SizedLine> lines;
    for (size_t i = 0; i < card.size(); ++i) {
        const int wanted = static_cast<int>(static_cast<float>(i == 0 ? kTitleSize : kLineSize) * scale + 0.5f);
        const int padding = static_cast<int>(static_cast<float>(kTitleSize) * scale);  // at most
        const int oneLine = sizeToFit(card[i], wanted, area.width - padding);
        lines.push_back({card[i], std::max(oneLine, wanted / 2)});
    }
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
