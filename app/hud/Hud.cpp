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

void print(TextRenderer& text, const HudLine& line) { text.printText(line.text.c_str(), line.x, line.y, line.size); }

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
    for (const HudLine& line : frame.lines) print(*shell.textRenderer, line);
    for (const TextPanel& panel : frame.panels) {
        // Made when first needed, as the menu's: a game that never shows a panel never builds it.
        if (shell.flatQuads == nullptr) shell.flatQuads = new FlatQuads();
        shell.flatQuads->draw(panel.panel.x, panel.panel.y, panel.panel.width, panel.panel.height, kPanelShade,
                              shell.screenWidth, shell.screenHeight);
        for (const HudLine& line : panel.lines) print(*shell.textRenderer, line);
    }
    // The text program is now current: the next scene pass must bind its own
    // program and set its uniforms again, whatever lines were drawn.
    shell.renderLogic->currentProgram = nullptr;
}

}  // namespace velmora::app
