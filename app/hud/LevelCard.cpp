#include "app/hud/LevelCard.h"

#include <algorithm>

namespace velmora::app {

namespace {
constexpr int kTitleSize = 40;
constexpr int kLineSize = 24;
constexpr int kSmallestSize = 8;
constexpr float kUsableWidth = 0.92f;  // of the screen, for the longest line
}  // namespace

void addLevelCard(std::vector<HudLine>& lines, const LevelIntro& intro, int screenWidth, int screenHeight) {
    if (!intro.showsCard()) return;
    int top = screenHeight * 2 / 3 + kTitleSize;  // the next line's top edge
    for (size_t i = 0; i < intro.card.size(); ++i) {
        const std::string& text = intro.card[i];
        const int wanted = i == 0 ? kTitleSize : kLineSize;
        const int fitting = static_cast<int>(kUsableWidth * screenWidth / std::max<size_t>(text.size(), 1));
        const int size = std::max(kSmallestSize, std::min(wanted, fitting));
        const int width = static_cast<int>(text.size()) * size;
        const int y = top - size;
        lines.push_back({text, (screenWidth - width) / 2, y, size});
        top = y - size / 2;
    }
}

}  // namespace velmora::app
