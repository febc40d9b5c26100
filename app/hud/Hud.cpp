#include "app/hud/Hud.h"

#include "app/hud/HudLines.h"
#include "app/hud/SessionLines.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "app/hud/StartHint.h"
#include "screen/TextRenderer.h"
#include "world/RenderLogic.h"

namespace velmora::app {

void showStatusMessage(ShellOptions& options, const std::string& text) {
    options.statusMessage = text;
    options.statusMessageVisible = true;
    options.statusMessageAge = 0.0;
}

void drawHud(double dt, ShellState& shell) {
    std::vector<HudLine> lines = hudLinesForFrame(
        dt, shell.screenWidth, shell.screenHeight, shell.renderLogic->drawnObjectCount, shell.options);
    const std::vector<HudLine> session = sessionLines(
        shell.session, shell.options.gameWon, shell.renderLogic->spheresCoupled(), shell.screenWidth, shell.screenHeight,
        shell.settings.showTimer);
    lines.insert(lines.end(), session.begin(), session.end());
    addStartHint(lines, shell.session.startHintAge, dt, shell.options.showHelp, shell.screenWidth, shell.screenHeight);
    for (const HudLine& line : lines) {
        shell.textRenderer->printText(line.text.c_str(), line.x, line.y, line.size);
    }
    // The text program is now current: the next scene pass must bind its own
    // program and set its uniforms again, whatever lines were drawn.
    shell.renderLogic->currentProgram = nullptr;
}

}  // namespace velmora::app
