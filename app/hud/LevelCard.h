#pragma once
// The level's card on screen while its intro shows it: the title line large,
// the par and the aim under it, each centred in the upper part of the screen
// and shrunk where a line would not fit the width. Positions as in HudLines.h.

#include <vector>

#include "app/hud/HudLines.h"
#include "app/play/LevelIntro.h"

namespace velmora::app {

void addLevelCard(std::vector<HudLine>& lines, const LevelIntro& intro, int screenWidth, int screenHeight);

}  // namespace velmora::app
