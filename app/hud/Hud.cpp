#include "app/hud/Hud.h"

#include "app/hud/HudFrame.h"
#include "app/shell/RenderScaleControl.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "screen/FlatQuads.h"
#include "screen/TextRenderer.h"
#include "world/RenderLogic.h"

namespace velmora::app {

namespace {

const glm::vec4 kPanelShade(0.03f, 0.05f, 0.10f, 0.75f);

WinFacts winFacts(const ShellState& shell) {
    WinFacts facts;
    const PlaySession& session = shell.session;
    if (shell.levelIndex >= 0 && shell.levelIndex < static_cast<int>(shell.levels.levels.size())) {
        const LevelEntry& level = shell.levels.levels[static_cast<size_t>(shell.levelIndex)];
        facts.level = "Level " + std::to_string(shell.levelIndex + 1) + ": " + level.title;
        facts.parSteps = level.parSteps;
    }
    facts.steps = session.timedSteps;
    facts.bestSteps = session.bestSteps;
    facts.previousBestSteps = session.previousBestSteps;
    facts.watching = session.watching;
    facts.nextLevelOpen = session.nextLevelOpen;
    facts.keys = shell.settings.keys;
    return facts;
}

// All the lines in one draw: each draw is dear on a software renderer, and the
// HUD has many short lines.
void print(TextRenderer& text, const std::vector<HudLine>& lines) {
    text.beginBatch();
    for (const HudLine& line : lines) text.printText(line.text.c_str(), line.x, line.y, line.size);
    text.drawBatch();
}

}  // namespace

void showStatusMessage(ShellOptions& options, const std::string& text) {
    options.statusMessage = text;
    options.statusMessageVisible = true;
    options.statusMessageAge = 0.0;
}

void drawHud(double dt, ShellState& shell) {
    HudView view;
    view.screenWidth = shell.screenWidth;
    view.screenHeight = shell.screenHeight;
    view.drawnObjectCount = shell.renderLogic->drawnObjectCount;
    view.renderScale = currentRenderScale(shell);
    view.menuOpen = shell.session.paused && shell.menu.open;
    view.won = shell.options.gameWon;
    view.spheresCoupled = shell.renderLogic->spheresCoupled();
    view.showTimer = shell.settings.showTimer;
    view.session = &shell.session;
    view.keys = shell.settings.keys;
    if (shell.options.gameWon) view.win = winFacts(shell);
    if (shell.intro.showsCard()) view.card = shell.intro.card;
    if (shell.leaderboard) shell.options.leaderboardLine = shell.leaderboard->state().latestRun();
    HudFrame frame = hudFrame(dt, view, shell.options, shell.session.startHintAge);
    print(*shell.textRenderer, frame.lines);
    for (const TextPanel& panel : frame.panels) {
        // Made when first needed, as the menu's: a game that never shows a panel never builds it.
        if (shell.flatQuads == nullptr) shell.flatQuads = new FlatQuads();
        shell.flatQuads->draw(panel.panel.x, panel.panel.y, panel.panel.width, panel.panel.height, kPanelShade,
                              shell.screenWidth, shell.screenHeight);
        print(*shell.textRenderer, panel.lines);
    }
    // The text program is now current: the next scene pass must bind its own
    // program and set its uniforms again, whatever lines were drawn.
    shell.renderLogic->currentProgram = nullptr;
}

}  // namespace velmora::app
