#include "app/hud/HudFrame.h"

#include <algorithm>
#include <string>

#include "app/hud/HelpText.h"
#include "app/hud/HudLines.h"
#include "app/hud/HudMetrics.h"
#include "app/hud/LevelCard.h"
#include "app/hud/SessionLines.h"
#include "app/hud/StartHint.h"
#include "app/shell/ShellOptions.h"

namespace velmora::app {

namespace {

constexpr int kHelpSize = 14;
constexpr int kStatusSize = 25;

// The help's top line at h - h/12, at the screen's left twentieth.
TextPanel helpPanel(const HudView& view, const std::string& message) {
    std::vector<SizedLine> lines;
    for (const std::string& line : helpLines(view.keys)) lines.push_back({line, kHelpSize});
    if (!message.empty()) {
        lines.push_back({{}, kHelpSize});
        lines.push_back({message, kHelpSize});
    }
    const ScreenBox area = panelArea(view.screenWidth, view.screenHeight);
    const int pad = kHelpSize / 2;
    const int left = std::max(area.x, view.screenWidth / 20 - pad);
    const double h = view.screenHeight;
    PanelPlace place{{left, area.y, area.x + area.width - left, area.height}, false, 0,
                     static_cast<int>(h - h / 12.0)};
    return placeTextPanel(lines, place);
}

// The status message's line at (w/5, h - h/3), as far right as it fits.
TextPanel statusPanel(const HudView& view, const std::string& message) {
    const ScreenBox area = panelArea(view.screenWidth, view.screenHeight);
    const int pad = kStatusSize / 2;
    const double w = view.screenWidth;
    const double h = view.screenHeight;
    const int wanted = static_cast<int>(w / 5.0) - pad;
    const int room = std::max(0, sizeToFit(message, kStatusSize, area.width - 2 * pad) * static_cast<int>(message.size()) + 2 * pad);
    const int left = std::clamp(wanted, area.x, std::max(area.x, area.x + area.width - room));
    PanelPlace place{{left, area.y, area.x + area.width - left, area.height}, false, 0,
                     static_cast<int>(h - h / 3.0)};
    return placeTextPanel({{message, kStatusSize}}, place);
}

// "You won the game!" at h - h/3, centred, the rest round it.
TextPanel winPanel(const HudView& view) {
    const double h = view.screenHeight;
    PanelPlace place{panelArea(view.screenWidth, view.screenHeight), true, winHeadlineIndex(view.win),
                     static_cast<int>(h - h / 3.0)};
    return placeTextPanel(winLines(view.win), place);
}

}  // namespace

HudFrame hudFrame(double dt, const HudView& view, ShellOptions& options, double& startHintAge) {
    HudFrame frame;
    const int w = view.screenWidth;
    const int h = view.screenHeight;
    frame.lines = frameTimeLines(options, dt, h, view.drawnObjectCount, view.renderScale);
    const std::string message = view.won ? std::string() : shownStatusMessage(options);
    if (!view.menuOpen) {
        if (view.session != nullptr) {
            const std::vector<HudLine> corners = sessionLines(*view.session, view.spheresCoupled, w, h, view.showTimer,
                                                                    options.leaderboardLine);
            frame.lines.insert(frame.lines.end(), corners.begin(), corners.end());
        }
        if (view.won) {
            frame.panels.push_back(winPanel(view));
        } else if (!view.card.empty()) {
            frame.panels.push_back(levelCardPanel(view.card, w, h));
        } else if (options.showHelp) {
            frame.panels.push_back(helpPanel(view, message));
        } else if (!message.empty()) {
            frame.panels.push_back(statusPanel(view, message));
        }
        if (!view.won) addStartHint(frame.lines, startHintAge, dt, options.showHelp, w, h);
    }
    ageStatusMessage(options, dt);
    return frame;
}

}  // namespace velmora::app
