#pragma once
// The shell's option flags and HUD state: process-wide, given their first
// values at the very start of the program, before the window library starts.

#include <string>

namespace velmora::app {

extern bool showHelp;        // F1: the HUD shows the help lines
extern bool showFrameTime;   // F2: the HUD shows frame time and object count
extern double optionKeyLockout;  // seconds since the last option key was taken
extern float fieldOfView;    // vertical field of view, degrees

extern bool gameWon;                 // set by the frame loop once the goal was reached
extern std::string statusMessage;    // the last option toggle's message
extern bool statusMessageVisible;    // the last option message is on screen
extern double statusMessageAge;      // seconds since that message was set
extern double frameTimeRefreshTimer; // seconds since the frame-time lines were rebuilt
extern std::string frameTimeText;    // first frame-time line, as last rebuilt
extern std::string objectCountText;  // second frame-time line, as last rebuilt

// Gives all of the above, the camera, and the renderer's process-wide
// options their first values.
void setFirstValues();

}  // namespace velmora::app
