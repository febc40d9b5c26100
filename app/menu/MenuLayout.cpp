#include "app/menu/MenuLayout.h"

#include <algorithm>

namespace velmora::app {

namespace {

// Entries are at most this many characters ("Key to show the best run: Keypad5").
constexpr int kWidestEntry = 34;
constexpr int kPauseEntryChars = 10;

}  // namespace

MenuLayout layoutMenu(MenuScreen screen, int entryCount, int selected, int screenWidth,
                      int screenHeight) {
    MenuLayout layout;
    if (screen == MenuScreen::pause) {
        const int rowHeight = std::clamp(screenHeight / 16, 20, 44);
        const int textSize = rowHeight * 2 / 3;
        const int width = kPauseEntryChars * textSize + 2 * textSize;
        const int x = (screenWidth - width) / 2;
        // Below "Paused", which the HUD centres at (h - 30) / 2.
        const int top = (screenHeight - 30) / 2 - rowHeight / 2;
        layout.panelWidth = width + rowHeight;
        layout.panelHeight = entryCount * rowHeight + rowHeight / 2 + 30 + rowHeight;
        layout.panelX = (screenWidth - layout.panelWidth) / 2;
        layout.panelY = top - entryCount * rowHeight - rowHeight / 4;
        for (int i = 0; i < entryCount; ++i) {
            layout.rows.push_back({i, x, top - (i + 1) * rowHeight, width, rowHeight, textSize});
        }
        layout.messageSize = textSize / 2 + 4;
        layout.messageX = layout.panelX;
        layout.messageY = layout.panelY - 2 * layout.messageSize;
        return layout;
    }
    const int rowHeight = std::clamp(screenHeight / 30, 14, 28);
    const int textSize = rowHeight * 3 / 4;
    const int width = std::min(kWidestEntry * textSize + 2 * textSize, screenWidth - 20);
    const int x = (screenWidth - width) / 2;
    layout.titleSize = rowHeight + rowHeight / 2;
    layout.titleX = x;
    layout.titleY = screenHeight - 2 * layout.titleSize;
    layout.messageSize = textSize;
    layout.messageX = x;
    layout.messageY = rowHeight;
    const int top = layout.titleY - rowHeight / 2;
    const int visible = std::max(1, (top - 2 * rowHeight) / rowHeight);
    const int first = std::clamp(selected - visible / 2, 0, std::max(0, entryCount - visible));
    for (int i = first; i < std::min(entryCount, first + visible); ++i) {
        layout.rows.push_back({i, x, top - (i - first + 1) * rowHeight, width, rowHeight, textSize});
    }
    layout.panelX = x - rowHeight;
    layout.panelY = rowHeight / 2;
    layout.panelWidth = width + 2 * rowHeight;
    layout.panelHeight = screenHeight - rowHeight;
    return layout;
}

int entryAt(const MenuLayout& layout, int cursorX, int cursorY, int screenHeight) {
    const int y = screenHeight - 1 - cursorY;
    for (const MenuRow& row : layout.rows) {
        if (cursorX >= row.x && cursorX < row.x + row.width && y >= row.y && y < row.y + row.height) {
            return row.entry;
        }
    }
    return -1;
}

}  // namespace velmora::app
