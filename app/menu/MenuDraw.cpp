#include "app/menu/MenuDraw.h"

#include "app/menu/MenuLayout.h"
#include "app/shell/ShellState.h"
#include "screen/FlatQuads.h"
#include "screen/TextRenderer.h"
#include "world/RenderLogic.h"

namespace velmora::app {

namespace {
const glm::vec4 kPauseShade(0.03f, 0.05f, 0.10f, 0.6f);
const glm::vec4 kSettingsShade(0.03f, 0.05f, 0.10f, 0.9f);
const glm::vec4 kSelected(0.85f, 0.65f, 0.25f, 0.5f);
}  // namespace

void drawPauseMenu(ShellState& shell) {
    if (!shell.session.paused || !shell.menu.open) return;
    // Made when first needed: a game never paused never builds it.
    if (shell.flatQuads == nullptr) shell.flatQuads = new FlatQuads();
    const PauseMenu& menu = shell.menu;
    const int w = shell.screenWidth;
    const int h = shell.screenHeight;
    const std::vector<std::string> lines = menuLines(shell);
    const MenuLayout layout =
        layoutMenu(menu.screen, static_cast<int>(lines.size()), menu.selected, w, h);
    const bool settings = menu.screen != MenuScreen::pause;
    shell.flatQuads->draw(layout.panelX, layout.panelY, layout.panelWidth, layout.panelHeight,
                          settings ? kSettingsShade : kPauseShade, w, h);
    for (const MenuRow& row : layout.rows) {
        if (row.entry == menu.selected) {
            shell.flatQuads->draw(row.x, row.y, row.width, row.height, kSelected, w, h);
        }
    }
    if (layout.titleSize > 0) {
        shell.textRenderer->printText(menu.screen == MenuScreen::levels ? "Levels" : "Settings",
                                      layout.titleX, layout.titleY, layout.titleSize);
    }
    for (const MenuRow& row : layout.rows) {
        const std::string& text = lines[static_cast<size_t>(row.entry)];
        shell.textRenderer->printText(text.c_str(), row.x + row.textSize / 2,
                                      row.y + (row.height - row.textSize) / 2, row.textSize);
    }
    if (!menu.message.empty()) {
        shell.textRenderer->printText(menu.message.c_str(), layout.messageX, layout.messageY,
                                      layout.messageSize);
    }
    // Another program is now current: the next scene pass binds its own.
    shell.renderLogic->currentProgram = nullptr;
}

}  // namespace velmora::app
