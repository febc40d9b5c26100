#pragma once
// The window layer: the one window, its OpenGL context, input and the clock.
// The game talks to the windowing library only through these calls. They keep
// the classic single-window model: one window at a time, key and button state
// held as the code polls it, every event recorded in order for the frame to
// take, a wheel position accumulated since start-up, and a buffer swap that
// also processes pending window events.

#include <functional>
#include <vector>

#include "platform/InputEvent.h"
#include "platform/KeyCodes.h"

namespace velmora::platform {

struct VideoMode {
    int width = 0;
    int height = 0;
    int redBits = 0;
    int greenBits = 0;
    int blueBits = 0;
    int refreshRate = 0;  // Hz; 0: not known
};

bool init();
void terminate();

// Hints for the next openWindow: context version and profile.
void openWindowHint(int target, int hint);

VideoMode getDesktopMode();

// Bit counts of 0 mean "no preference" for colour and "none" for alpha,
// depth and stencil. Returns false when no window could be opened.
bool openWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                int depthBits, int stencilBits, int mode);
void setWindowTitle(const char* title);
void* getProcAddress(const char* name);
// The cursor is not drawn over the window; its position is still reported.
void hideMouseCursor();
void showMouseCursor();

// The window at run time: full screen at the desktop mode, or a window of
// the given size with its top left at (x, y) on the desktop. The context and
// every GL object stay.
void setFullScreen(bool fullScreen, int x, int y, int width, int height);
bool isFullScreen();
// Where the window is and how large, in desktop pixels; zeros without one.
void getWindowRect(int* x, int* y, int* width, int* height);
// The pixels drawn into: what the screen targets and the viewport must match.
void getFramebufferSize(int* width, int* height);
// 1: one frame per display refresh (vsync); 0: as fast as it goes.
void setSwapInterval(int interval);

// PRESS while held, and for the whole frame after the event poll that saw it
// pressed, so a tap between two frames is never lost; else RELEASE.
int getKey(int key);
int getMouseButton(int button);    // PRESS or RELEASE, taps kept like keys
void getMousePos(int* x, int* y);  // pixels from the window's top left
int getMouseWheel();               // wheel position, accumulated since init
double getTime();                  // seconds since init
void swapBuffers();                // shows the frame, then processes events
int getWindowParam(int param);     // OPENED: 1 while the window is open
bool hasFocus();                   // the window has the keyboard focus
// Every key, button, wheel and character event since the last call, oldest
// first: the window's, then the script's. Once a frame.
std::vector<InputEvent> takeInputEvents();

// A scripted clock and scripted input, so tests can drive real frames. What a
// script sets is seen through the calls above in place of the real devices;
// keys and buttons pressed by the script add to the real ones, and a change
// of a scripted key, button or wheel is an event as a real one would be. The
// scripted gamepad is in platform/Gamepad.h.
namespace script {
void setClock(std::function<double()> clock);
void setKey(int key, bool down);
void setMouseButton(int button, bool down);
void setMousePos(int x, int y);
void setMouseWheel(int position);
void setWindowClosed(bool closed);
void setFocused(bool focused);
void reset();  // back to the real clock and devices, the scripted pad too
}  // namespace script

}  // namespace velmora::platform
