#pragma once
// The level's card on screen while its intro shows it: the title line large,
// the par and the aim under it, centred on a panel in the upper part of the
// screen, in proportion to the screen's height: each line made smaller to
// fit the width, to half its size at most, then wrapped, so every word stays
// in the window and the goal shown under the card stays in view. The panel keeps above the start hint, which
// shows at the same time. Positions as in HudLines.h.

#include <string>
#include <vector>

#include "app/hud/TextPanel.h"

namespace velmora::app {

// An empty card gives no panel (width 0).
TextPanel levelCardPanel(const std::vector<std::string>& card, int screenWidth, int screenHeight);

}  // namespace velmora::app
