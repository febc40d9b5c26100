#pragma once
// What the HUD shows in one frame and where, decided apart from drawing: the
// help lines, the win or status message, and the frame-time lines. Positions
// are pixels from the screen's bottom-left, the first character's left and
// bottom edges.

#include <string>
#include <vector>

namespace velmora::app {

struct HudLine {
    std::string text;
    int x = 0;
    int y = 0;
    int size = 0;  // pixels per character square
};

// The controls and the aim first, then one line per option key that does
// something (F4 and F6 do not).
constexpr int kHelpLineCount = 13;
constexpr int kControlHelpLines = 6;  // the lines before the option keys'
extern const char* const helpLines[kHelpLineCount];

constexpr double kStatusMessageSeconds = 2.0;
constexpr double kFrameTimeRefreshSeconds = 0.15;

struct ShellOptions;

// The lines of this frame in drawing order, from the shell's option and HUD
// state, which it advances: the status message ages, the frame-time lines are
// rebuilt when their timer has run out.
std::vector<HudLine> hudLinesForFrame(double dt, int screenWidth, int screenHeight,
                                      int drawnObjectCount, ShellOptions& options);

// "59fps, time:16ms" for a frame of 16.7 ms; both figures truncated.
std::string frameTimeLine(double dt);

}  // namespace velmora::app
