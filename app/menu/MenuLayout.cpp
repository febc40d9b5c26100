#include "app/menu/MenuLayout.h"

#include <algorithm>

#include "app/hud/HudMetrics.h"

namespace velmora::app {

namespace {

// Entries are at most this many characters ("Key to show the best run: Keypad5").
constexpr int kWidestEntry = 34;
// A level's line: "4 Spikes, a pit and the mill  par 0:35  best 1:43.98".
constexpr int kWidestLevelLine = 52;
constexpr int kPauseEntryChars = 10;

MenuLayout pauseLayout(int entryCount, int screenWidth, int screenHeight) {
    MenuLayout layout;
    const int rowHeight = std::clamp(screenHeight / 16, 20, 44);
    const int textSize = rowHeight * 2 / 3;
    const int width = kPauseEntryChars * textSize + 2 * textSize;
    const int x = (screenWidth - width) / 2;
    // "Paused" heads the panel in the middle of the screen, the entries under it.
    layout.titleSize = std::clamp(screenHeight / 24, 15, 30);
    layout.titleY = (screenHeight - layout.titleSize) / 2;
    layout.titleX = (screenWidth - 6 * layout.titleSize) / 2;
    const int top = layout.titleY - rowHeight / 2;
    for (int i = 0; i < entryCount; ++i) {
        layout.rows.push_back({i, x, top - (i + 1) * rowHeight, width, rowHeight, textSize});
    }
    layout.messageSize = textSize / 2 + 4;
    layout.messageX = x;
    layout.messageY = top - entryCount * rowHeight - rowHeight / 4 - layout.messageSize;
    layout.panelWidth = width + rowHeight;
    layout.panelX = (screenWidth - layout.panelWidth) / 2;
    layout.panelY = layout.messageY - layout.messageSize / 2;
    layout.panelHeight = layout.titleY + layout.titleSize + rowHeight * 3 / 4 - layout.panelY;
    return layout;
}

}  // namespace

MenuLayout layoutMenu(MenuScreen screen, int entryCount, int selected, int screenWidth,
                      int screenHeight) {
    if (screen == MenuScreen::pause) return pauseLayout(entryCount, screenWidth, screenHeight);
    MenuLayout layout;
    const int rowHeight = std::clamp(screenHeight / 30, 14, 28);
    const int textSize = rowHeight * 3 / 4;
    const int widest = screen == MenuScreen::levels ? kWidestLevelLine : kWidestEntry;
    // The panel reaches a row height past the rows on each side and keeps a
    // corner readout's size from the window's edges.
    const int room = screenWidth - 2 * cornerTextSize(screenHeight) - 2 * rowHeight;
    const int width = std::min(widest * textSize + 2 * textSize, room);
    const int x = (screenWidth - width) / 2;
    layout.titleSize = rowHeight + rowHeight / 2;
    layout.titleX = x;
    layout.titleY = screenHeight - 2 * layout.titleSize;
    // Above the frame-time readout's band, the message line at the foot.
    layout.panelY = panelArea(screenWidth, screenHeight).y;
    layout.messageSize = textSize;
    layout.messageX = x;
    layout.messageY = layout.panelY + rowHeight / 2;
    const int top = layout.titleY - rowHeight / 2;
    const int lowest = layout.messageY + layout.messageSize + rowHeight / 2;
    const int visible = std::max(1, (top - lowest) / rowHeight);
    const int first = std::clamp(selected - visible / 2, 0, std::max(0, entryCount - visible));
    for (int i = first; i < std::min(entryCount, first + visible); ++i) {
        layout.rows.push_back({i, x, top - (i - first + 1) * rowHeight, width, rowHeight, textSize});
    }
    layout.panelX = x - rowHeight;
    layout.panelWidth = width + 2 * rowHeight;
    layout.panelHeight = screenHeight - layout.titleSize / 2 - layout.panelY;
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
