#include "app/hud/SessionLines.h"
#include "app/play/ReplayControls.h"

#include <cstdio>

#include <string>

#include "app/play/PlaySession.h"

namespace velmora::app {

namespace {

constexpr int kCornerSize = 20;
constexpr int kPausedSize = 30;
constexpr int kWinSize = 30;      // the win line's, which the times stand under
constexpr int kRunTimeSize = 25;
constexpr int kMargin = 20;

int textWidth(const std::string& text, int size) { return static_cast<int>(text.size()) * size; }

}  // namespace

std::string bestDifferenceText(long steps, long bestSteps) {
    const long difference = steps - bestSteps;
    const long hundredths = (difference < 0 ? -difference : difference) * 100 / 60;
    char text[32];
    std::snprintf(text, sizeof text, "%c%ld.%02ld", difference < 0 ? '-' : '+', hundredths / 100,
                  hundredths % 100);
    return text;
}

std::vector<HudLine> sessionLines(const PlaySession& session, bool won, bool spheresCoupled,
                                  int screenWidth, int screenHeight, bool showTimer) {
    std::vector<HudLine> lines;
    const std::string timer = runTimeText(session.timedSteps);
    if (showTimer) {
        lines.push_back({timer, screenWidth - kMargin - textWidth(timer, kCornerSize),
                         screenHeight - kMargin - kCornerSize, kCornerSize});
    }
    if (session.watching) {
        const std::string replay = "Replay " + replaySpeedText(session.replaySpeed);
        lines.push_back({replay, screenWidth - kMargin - textWidth(replay, kCornerSize),
                         screenHeight - kMargin - 2 * kCornerSize - kCornerSize / 2, kCornerSize});
    }
    if (session.paused) {
        const std::string paused = "Paused";
        lines.push_back({paused, (screenWidth - textWidth(paused, kPausedSize)) / 2,
                         (screenHeight - kPausedSize) / 2, kPausedSize});
    }
    if (won) {
        // Centred under "You won the game!", which stands at h - h/3, then
        // the keys for what comes next.
        const double h = screenHeight;
        int y = static_cast<int>(h - h / 3.0) - kWinSize / 4;
        const auto centred = [&](const std::string& text) {
            y -= kRunTimeSize;
            lines.push_back({text, (screenWidth - textWidth(text, kRunTimeSize)) / 2, y, kRunTimeSize});
        };
        centred("Time: " + runTimeText(session.timedSteps));
        if (session.bestSteps >= 0) centred("Best: " + runTimeText(session.bestSteps));
        if (session.previousBestSteps >= 0 && !session.watching) {
            // Ahead of the best before this run (-) or behind it (+).
            centred(bestDifferenceText(session.timedSteps, session.previousBestSteps));
        }
        y -= kRunTimeSize;
        const std::string keys = "R: new run   V: watch it   Esc: quit";
        centred(session.nextLevelOpen && !session.watching ? "N: next level   " + keys : keys);
    }
    const std::string magnet = spheresCoupled ? "Magnet: pull" : "Magnet: push";
    lines.push_back({magnet, screenWidth - kMargin - textWidth(magnet, kCornerSize), kMargin,
                     kCornerSize});
    return lines;
}

}  // namespace velmora::app
