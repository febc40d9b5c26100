#pragma once
// The frame loop: the window's mode and size, the pause menu, the pause and
// restart controls, the input of the frame's
// physics steps, as many steps as the frame's real interval holds (none while
// paused), what they reported, the camera, the option keys; then six shadow
// faces, the scene into the off-screen target, the HUD, the blur onto the
// screen, the swap, and the exit test.

#include "app/shell/FrameClock.h"

namespace velmora::app {

struct ShellState;

class FrameLoop {
public:
    explicit FrameLoop(ShellState& shell) : shell_(shell) {}

    // Runs one frame; false once Escape, Q or the window's close was seen.
    bool runFrame();
    // Runs frames until runFrame says stop.
    void run();
    // The two halves of a frame. The update reads the clock and the input,
    // steps the physics and moves the game on; it draws nothing, so scripted
    // play can run many frames quickly. The draw renders and swaps.
    double updateFrame();
    void drawFrame(double dt);

    double lastInterval() const { return lastInterval_; }
    const FrameClock& clock() const { return clock_; }
    long stepsStarted() const { return stepsStarted_; }

private:
    void runSteps(int steps);
    void placeGhost();
    void renderShadowFaces(double dt);
    void renderScenePass(double dt);
    void postProcess(double dt);
    void present();
    bool exitRequested() const;

    ShellState& shell_;
    FrameClock clock_;
    bool started_ = false;
    double previousTime_ = 0.0;
    double lastInterval_ = 0.0;
    long stepsStarted_ = 0;
};

}  // namespace velmora::app
