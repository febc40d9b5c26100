#pragma once
// The level's card on screen while its intro shows it: the title line large,
// the par and the aim under it, centred on a panel in the upper part of the
// screen, wrapped (and made smaller only where the height needs it) so every
// word stays in the window. The panel keeps above the start hint, which
// shows at the same time. Positions as in HudLines.h.

#include <string>
#include <vector>

#include "app/hud/TextPanel.h"

namespace velmora::app {

// An empty card gives no panel (width 0).
TextPanel levelCardPanel(const std::vector<std::string>& card, int screenWidth, int screenHeight);

}  // namespace velmora::app
