#pragma once
// The run being played: whether it is paused, its time, and the best time of
// the runs won since start-up. Time is counted in physics steps from the
// player's first push or magnet click, so a run lasts as long on a slow
// machine as on a fast one, and a replay of the same input gives the same
// time.

#include <string>

#include "sim/RunClock.h"

namespace velmora::app {

struct ShellState;

struct PlaySession {
    bool paused = false;
    bool coupled = true;  // the magnet as the buttons left it; pulls at the start
    long runSteps = 0;    // physics steps started in this run before its goal
    long timedSteps = 0;  // those since the player's first act: the run's time (sim/RunClock.h)
    long bestSteps = -1;  // the fewest of a won run (kept ones too); -1: none yet
    long previousBestSteps = -1;  // the best before the last won run; -1: none
    bool watching = false;  // a recorded run is being shown instead of played
    int replaySpeed = 2;    // index into ¼, ½, 1, 2 and 4 times real time
    bool showGhost = true;  // the best run's ghost, when there is one
    int lastWheel = 0;          // the wheel's position at the last frame
    int wheelSpentOnSpeed = 0;  // wheel clicks that changed a replay's speed, not the zoom
    double startHintAge = 0.0;  // seconds "F1: help" has shown (app/hud/StartHint.h)
    bool hadFocus = false;
    bool focusedLastFrame = false;
    bool pauseControlWasDown = false;
    bool restartControlWasDown = false;
    bool nextLevelControlWasDown = false;
    bool nextLevelOpen = false;  // after the goal, N goes on to the next level
};

// The controls of one frame that steer the session, already merged over the
// devices (P or the pad's Start, R or the pad's Back).
struct SessionControls {
    bool pauseDown = false;
    bool restartDown = false;
    bool focused = false;
};

// What the frame must do; the pause itself is already switched in session.
struct SessionActions {
    bool restart = false;
};

// Takes each control on the frame it goes down. Pause toggles; losing the
// focus pauses, but only a window that had the focus can lose it (on a
// display without a window manager it may never get it, and plays on), and
// only P resumes. A restart also resumes.
SessionActions applySessionControls(PlaySession& session, const SessionControls& controls);

// The goal was reached: the run's time becomes the best if it is better.
void finishRun(PlaySession& session);

// R through the window layer, and any caller that wants a new run: the world's
// restart, the timer at zero, the won state left, the pause ended.
void restartRun(ShellState& shell);

// Reads the keys, the pad and the focus through the window layer and does
// what they ask for; once per frame, before the physics step.
void updateSession(ShellState& shell);

}  // namespace velmora::app
