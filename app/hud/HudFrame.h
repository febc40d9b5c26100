#pragma once
// What the HUD shows in one frame and where, decided apart from drawing.
// The topmost screen owns the middle of the window: with the pause menu open
// only the frame-time readout stays (the menu's panels keep clear of it);
// after the goal the win screen stands there; while a level's intro shows
// its card, the card; otherwise the help (F1), with the status message at
// its foot, or the status message on its own panel.
// The corner readouts stand in their bands (HudMetrics.h) under any of them.

#include <string>
#include <vector>

#include "app/hud/TextPanel.h"
#include "app/hud/WinScreen.h"
#include "app/input/KeyBindings.h"

namespace velmora::app {

struct PlaySession;
struct ShellOptions;

struct HudView {
    int screenWidth = 0;
    int screenHeight = 0;
    int drawnObjectCount = 0;
    int renderScale = 100;  // the scene's, in %, for the frame-time line
    bool menuOpen = false;
    bool won = false;
    bool spheresCoupled = true;
    bool showTimer = true;
    const PlaySession* session = nullptr;  // null: no corner readouts of the run
    KeyBindings keys;                      // what the help names
    WinFacts win;                          // read once won
    std::vector<std::string> card;         // the level's card while it shows; else empty
};

struct HudFrame {
    std::vector<HudLine> lines;     // on their own, drawn first
    std::vector<TextPanel> panels;  // each panel, then its lines
};

// Advances the HUD's timers (status message, frame time, start hint) by dt,
// whether or not they show this frame.
HudFrame hudFrame(double dt, const HudView& view, ShellOptions& options, double& startHintAge);

}  // namespace velmora::app
