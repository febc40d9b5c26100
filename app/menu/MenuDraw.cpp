#include "app/menu/MenuDraw.h"

#include "app/menu/MenuLayout.h"
#include "app/shell/ShellState.h"
#include "screen/FlatQuads.h"
#include "screen/TextFit.h"
#include "screen/TextRenderer.h"
#include "world/RenderLogic.h"

namespace velmora::app {

namespace {
// Opaque enough that nothing of the scene or the HUD under a panel competes
// with its text.
const glm::vec4 kPauseShade(0.03f, 0.05f, 0.10f, 0.85f);
const glm::vec4 kSettingsShade(0.03f, 0.05f, 0.10f, 0.95f);
const glm::vec4 kSelected(0.85f, 0.65f, 0.25f, 0.5f);

const char* titleOf(MenuScreen screen) {
    switch (screen) {
    case MenuScreen::pause: return "Paused";
    case MenuScreen::settings: return "Settings";
    case MenuScreen::levels: return "Levels";
    }
    return "";
}

// At its size where it fits `width`, smaller where it would not.
void printFitted(TextRenderer& text, const std::string& line, int x, int y, int size, int width) {
    const int fitted = sizeToFit(line, size, width);
    text.printText(line.c_str(), x, y + (size - fitted) / 2, fitted);
}

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
    const int panelRight = layout.panelX + layout.panelWidth;
    TextRenderer& text = *shell.textRenderer;
    printFitted(text, titleOf(menu.screen), layout.titleX, layout.titleY, layout.titleSize,
                panelRight - layout.titleX - layout.titleSize / 2);
    for (const MenuRow& row : layout.rows) {
        const std::string& line = lines[static_cast<size_t>(row.entry)];
        printFitted(text, line, row.x + row.textSize / 2, row.y + (row.height - row.textSize) / 2, row.textSize,
                    row.width - row.textSize);
    }
    if (!menu.message.empty()) {
        // As far in from the panel's right edge as from its left.
        printFitted(text, menu.message, layout.messageX, layout.messageY, layout.messageSize,
                    panelRight - layout.messageX - (layout.messageX - layout.panelX));
    }
    // Another program is now current: the next scene pass binds its own.
    shell.renderLogic->currentProgram = nullptr;
}

}  // namespace velmora::app
