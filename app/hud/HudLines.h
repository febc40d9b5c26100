#pragma once
// The HUD's lines that live on their own timers: the status message (the
// last option key's, two seconds) and the frame-time readout (rebuilt every
// 0.15 s). Positions are pixels from the screen's bottom-left, the first
// character's left and bottom edges.

#include <string>
#include <vector>

namespace velmora::app {

struct ShellOptions;

struct HudLine {
    std::string text;
    int x = 0;
    int y = 0;
    int size = 0;  // pixels per character square
};

constexpr double kStatusMessageSeconds = 2.0;
constexpr double kFrameTimeRefreshSeconds = 0.15;

// The status message while its two seconds last, else empty (and it is no
// longer visible).
std::string shownStatusMessage(ShellOptions& options);
// Ages the status message by dt, saturating rather than losing precision.
void ageStatusMessage(ShellOptions& options, double dt);

// The two frame-time lines at the bottom left while the readout is shown
// (F2), rebuilt when their timer has run out, which they advance, and under
// them the scale the scene is drawn at now ("scale:75%").
std::vector<HudLine> frameTimeLines(ShellOptions& options, double dt, int screenHeight,
                                    int drawnObjectCount, int renderScale = 100);

// "59fps, time:16ms" for a frame of 16.7 ms; both figures truncated.
std::string frameTimeLine(double dt);

}  // namespace velmora::app
