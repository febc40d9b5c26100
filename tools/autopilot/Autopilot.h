#pragma once
// Plays a route through the real frame loop with a player's means only: the
// W, A, S and D keys, the mouse buttons, the cursor and the wheel, all set
// through the window layer's scripted input. It reads what a player sees on
// the screen (where the spheres are, which doors are drawn, where the mill's
// arms are drawn, how the camera looks) and never changes the game's state
// itself: no pose, velocity or flag, and no call of the game's rules.

#include <string>

#include <glm/glm.hpp>

#include "tools/autopilot/Route.h"

namespace velmora::app {

struct ShellState;

class Autopilot {
public:
    Autopilot(Route route, const ShellState& shell);

    // Sets this frame's input; call it before each frame's update.
    void beforeFrame();

    bool routeDone() const { return step_ >= route_.steps.size(); }
    // The game shows "You won the game!".
    bool goalReached() const;
    // Game time, in 1/60 s steps, since the autopilot last got anywhere: a
    // route step done, or a new best distance to the point it is rolling to.
    long stepsWithoutProgress() const { return stepsWithoutProgress_; }
    long frames() const { return frames_; }
    // The step being worked on, for messages: "step 4 (line 17: door DoorA)".
    std::string where() const;
    // One line for whoever writes a route: the frame, the step and where
    // both spheres are.
    std::string report() const;

    // Plays with the shadows off: F7 is held from the first frame until the
    // picture shows no shadows. A tap of one frame could fall within the
    // option keys' lock-out (a quick load) and be lost.
    void turnShadowsOff() { shadowsOff_ = true; }

    // Releases every key and button the autopilot may hold.
    static void releaseInput();

private:
    // Runs the current step for this frame; true when it is done and the
    // next step may start in the same frame.
    bool runStep(const RouteStep& step);
    void nextStep();
    // Keys towards the point at no more than topSpeed; the camera turned to
    // look along the way when turnCamera; near the straight way from *from
    // to the point where from is given.
    void rollTowards(glm::vec2 point, float topSpeed, bool turnCamera,
                     const glm::vec2* from = nullptr);
    void turnCameraTowards(glm::vec2 direction);
    // A frame's steps from velocity, each pushed by kick: the velocity after
    // them; the way rolled is added to travel.
    glm::vec2 frameOfPushes(glm::vec2 velocity, glm::vec2 kick, glm::vec2& travel) const;
    // The distance from point to the nearest drawn part of the mill.
    float millClearance(glm::vec2 point) const;
    bool doorOpen(const std::string& name) const;

    Route route_;
    const ShellState& shell_;
    size_t step_ = 0;
    int stepFrames_ = 0;
    long waitedSteps_ = 0;  // game time spent on the current route step
    long frames_ = 0;
    bool shadowsOff_ = false;
    long stepsWithoutProgress_ = 0;
    float bestDistance_ = 0.0f;
    float lastClearance_ = 0.0f;
    bool turning_ = false;
    glm::vec2 station_{0.0f};  // where the main sphere waits: the last point reached
    bool hasStation_ = false;
    glm::vec2 legStart_{0.0f};  // where the current go step's way starts
    glm::vec2 main_{0.0f};
    glm::vec2 second_{0.0f};
    glm::vec2 velocity_{0.0f};  // of the main sphere, from its last two positions
    glm::vec2 kicks_[9]{};  // speed each of the eight choices of keys adds, then none
    int stepsPerFrame_ = 1;     // the steps a frame is expected to run
    long lastSteps_ = 0;        // the simulation's step count at the last frame
    float gap_ = 0.0f;          // between the spheres' centres
    bool coupled_ = false;      // a couple step was the last of couple and uncouple
    bool seenMain_ = false;
    double lastTime_ = 0.0;
    double interval_ = 1.0 / 60.0;
};

}  // namespace velmora::app
