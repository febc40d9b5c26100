#include "app/Hud.h"

#include "app/HudLines.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "screen/TextRenderer.h"
#include "world/RenderLogic.h"

namespace velmora::app {

void showStatusMessage(const std::string& text) {
    statusMessage = text;
    statusMessageVisible = true;
    statusMessageAge = 0.0;
}

void drawHud(double dt, ShellState& shell) {
    const std::vector<HudLine> lines = hudLinesForFrame(
        dt, shell.screenWidth, shell.screenHeight, shell.renderLogic->drawnObjectCount);
    for (const HudLine& line : lines) {
        shell.textRenderer->printText(line.text.c_str(), line.x, line.y, line.size);
    }
    // The text program is now current: the next scene pass must bind its own
    // program and set its uniforms again, whatever lines were drawn.
    shell.renderLogic->currentProgram = nullptr;
}

}  // namespace velmora::app
