#include "app/hud/SessionLines.h"

#include <string>

#include "app/hud/HudMetrics.h"
#include "app/play/PlaySession.h"
#include "app/play/ReplayControls.h"
#include "screen/TextFit.h"

namespace velmora::app {

std::vector<HudLine> sessionLines(const PlaySession& session, bool spheresCoupled, int screenWidth,
                                  int screenHeight, bool showTimer, const std::string& leaderboardLine) {
    std::vector<HudLine> lines;
    const int size = cornerTextSize(screenHeight);
    const int margin = size;
    const auto rightAligned = [&](const std::string& text, int y) {
        lines.push_back({text, screenWidth - margin - textWidth(text, size), y, size});
    };
    if (showTimer) rightAligned(runTimeText(session.timedSteps), screenHeight - margin - size);
    if (session.watching) {
        rightAligned("Replay " + replaySpeedText(session.replaySpeed), screenHeight - margin - 2 * size - size / 2);
    }
    rightAligned(spheresCoupled ? "Magnet: pull" : "Magnet: push", margin);
    if (!leaderboardLine.empty()) {
        const int room = screenWidth / 2 - margin;
        std::string text = leaderboardLine;
        const std::size_t most = static_cast<std::size_t>(room / kSmallestTextSize);
        if (text.size() > most) text = text.substr(0, most - 3) + "...";
        const int fitted = sizeToFit(text, size, room);
        lines.push_back({text, screenWidth - margin - textWidth(text, fitted), margin + size + size / 2, fitted});
    }
    return lines;
}

}  // namespace velmora::app
