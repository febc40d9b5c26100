#pragma once
// What the player sets once and keeps from one game to the next: display,
// graphics, controls, HUD and sound. Read from and written to settings.ini
// (app/settings/SettingsFile.h); the values here are the defaults.

#include <string>

#include "app/input/KeyBindings.h"

namespace velmora::app {

constexpr int kLowestRenderScale = 50;  // percent of the window's pixels
constexpr int kHighestRenderScale = 100;
constexpr int kLongestFrameTarget = 100;  // milliseconds

struct Settings {
    // Display.
    bool fullScreen = true;  // at the desktop size; else a window
    bool vsync = true;
    int renderScale = 100;   // the 3-D scene and the blur, percent of the window's pixels;
                             // with the automatic scale, the most it draws at
    bool autoScale = true;   // the scale follows the frame time (app/shell/AutoRenderScale.h)
    int lowestRenderScale = 50;  // the least the automatic scale draws at
    int frameTarget = 0;     // milliseconds it holds a frame to; 0: the display's refresh
                             // with vsync, else 1/60 s
    // The window as last left; a width of 0: never opened yet, so the first
    // window opens at three quarters of the desktop, centred.
    int windowWidth = 0;
    int windowHeight = 0;
    int windowX = 0;
    int windowY = 0;

    // Graphics: the option keys' states.
    bool shadows = true;       // F7
    bool culling = true;       // F8
    bool transparency = true;  // F9
    bool wireframe = false;    // F3
    int filtering = 0;         // F5: 0 trilinear, 1 nearest mipmap, 2 nearest

    // Controls.
    int orbitSpeed = 50;       // degrees a second, at the screen edges and full stick
    bool invertTilt = false;   // up tilts the camera down
    KeyBindings keys;

    // HUD.
    bool showTimer = true;
    bool showFrameTime = false;  // F2

    // Sound.
    int volume = 100;  // percent

    // Leaderboard: where finished runs are sent (app/online/), empty: the
    // game stays offline and sends nothing; and the name the player is
    // registered under there, asked for on the first run sent.
    std::string leaderboard;
    std::string playerName;
};

}  // namespace velmora::app
