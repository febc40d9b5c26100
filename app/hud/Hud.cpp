#include "app/hud/Hud.h"

#include "app/hud/HudLines.h"
#include "app/hud/SessionLines.h"
#include "app/shell/RenderScaleControl.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "app/hud/StartHint.h"
#include "screen/TextRenderer.h"
#include "world/RenderLogic.h"

namespace velmora::app {

void showStatusMessage(const std::string& text) {
    statusMessage = text;
    statusMessageVisible = true;
    statusMessageAge = 0.0;
}

void drawHud(double dt, ShellState& shell) {
    std::vector<HudLine> lines = hudLinesForFrame(
        dt, shell.screenWidth, shell.screenHeight, shell.renderLogic->drawnObjectCount,
        currentRenderScale(shell));
    const std::vector<HudLine> session = sessionLines(
        shell.session, gameWon, shell.renderLogic->spheresCoupled(), shell.screenWidth, shell.screenHeight,
        shell.settings.showTimer);
    lines.insert(lines.end(), session.begin(), session.end());
    addStartHint(lines, shell.session.startHintAge, dt, showHelp, shell.screenWidth, shell.screenHeight);
    for (const HudLine& line : lines) {
        shell.textRenderer->printText(line.text.c_str(), line.x, line.y, line.size);
    }
    // The text program is now current: the next scene pass must bind its own
    // program and set its uniforms again, whatever lines were drawn.
    shell.renderLogic->currentProgram = nullptr;
}

}  // namespace velmora::app
