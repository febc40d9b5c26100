#pragma once
// Where the menu's rows stand on a screen of a given size, for drawing and
// for finding the row under the cursor. Pixels from the screen's bottom left,
// as the HUD's (HudLines.h); characters are as wide as they are high.

#include <vector>

#include "app/menu/PauseMenu.h"

namespace velmora::app {

struct MenuRow {
    int entry = 0;  // which entry of the screen's list
    int x = 0;      // the row's box; the text starts a margin in
    int y = 0;
    int width = 0;
    int height = 0;
    int textSize = 0;
};

struct MenuLayout {
    int panelX = 0, panelY = 0, panelWidth = 0, panelHeight = 0;
    int titleX = 0, titleY = 0, titleSize = 0;  // "Paused", "Settings", "Levels"
    int messageX = 0, messageY = 0, messageSize = 0;  // inside the panel, at its foot
    std::vector<MenuRow> rows;  // the visible ones, top first
};

// The pause menu's rows stand under its title "Paused" in the middle; the
// settings and levels screens fill most of the window's height, above the
// frame-time readout's band, and scroll to keep the selected entry in sight.
// A row's text is made smaller where it would not fit the row (MenuDraw).
MenuLayout layoutMenu(MenuScreen screen, int entryCount, int selected, int screenWidth,
                      int screenHeight);

// The entry under the cursor (window pixels from the top left), or -1.
int entryAt(const MenuLayout& layout, int cursorX, int cursorY, int screenHeight);

}  // namespace velmora::app
