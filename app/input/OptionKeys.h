#pragma once
// The function keys that switch rendering and HUD options at run time. A key
// is taken only when a quarter second has passed since the last one was: there
// is no release detection, so a held key toggles about four times a second.

#include <functional>
#include <string>

namespace velmora::app {

struct OptionFlags {
    bool showHelp = false;               // F1
    bool showFrameTime = false;          // F2
    bool wireframeEnabled = false;       // F3
    int mipmapMode = 0;                  // F5: cycles 0, 1, 2
    bool shadowsEnabled = true;          // F7
    bool frustumCullingEnabled = true;   // F8
    bool transparencyEnabled = true;     // F9
};

constexpr double kOptionKeyLockout = 0.25;  // seconds between two taken keys

// Adds the frame interval to the lock-out clock, which saturates rather than
// losing precision over a very long run.
void advanceLockout(double& lockout, double dt);

// Once the lock-out has passed, tests F1..F5 and F7..F9 in that order: every
// key down toggles its option and restarts the lock-out (F4 only restarts
// it), and keys held together all act in the same frame. Returns the message
// of the last toggle that carries one (all but F1, whose help shows itself),
// or an empty string.
std::string applyOptionKeys(const std::function<bool(int key)>& isDown, OptionFlags& flags,
                            double& lockout);

}  // namespace velmora::app
