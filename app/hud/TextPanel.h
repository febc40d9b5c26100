#pragma once
// A block of HUD lines on a backing panel that keeps them readable over any
// scene: the lines are fitted into an area of the screen (wrapped, and made
// smaller only as far as the area's height needs) and the panel hugs them.
// Pixels from the screen's bottom left, as HudLines.h.

#include <vector>

#include "app/hud/HudLines.h"
#include "screen/TextFit.h"

namespace velmora::app {

struct ScreenBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct TextPanel {
    ScreenBox panel;  // width 0: nothing to show
    std::vector<HudLine> lines;
};

struct PanelPlace {
    ScreenBox area;        // where the panel may stand, padding included
    bool centred = false;  // lines and panel centred across the area; else at its left
    // The panel is placed so that the bottom of this line of the fitted
    // block (the first wrapped line of wanted[anchorLine]) stands at anchorY,
    // moved as little as it takes to stay inside the area.
    int anchorLine = 0;
    int anchorY = 0;
};

// Padding round the lines: half the first line's wanted size.
TextPanel placeTextPanel(const std::vector<SizedLine>& wanted, const PanelPlace& place);

}  // namespace velmora::app
