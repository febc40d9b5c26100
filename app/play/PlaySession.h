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
    bool nextLevelOpen = false;  // after the goal, N goes on to the next level
};

// The controls of one frame that steer the session, already merged over the
// devices (R or the pad's Back pressed since the last frame). The pause key
// is the pause menu's (app/menu/PauseMenu.h).
struct SessionControls {
    bool restartPressed = false;
    bool focused = false;
};

// What the frame must do; a pause is already set in session.
struct SessionActions {
    bool restart = false;
};

// Losing the focus pauses, but only a window that had the focus can lose it
// (on a display without a window manager it may never get it, and plays on);
// getting it back does not resume. A restart also resumes.
SessionActions applySessionControls(PlaySession& session, const SessionControls& controls);

// The goal was reached: the run's time becomes the best if it is better.
void finishRun(PlaySession& session);

// R through the window layer, and any caller that wants a new run: the world's
// restart, the timer at zero, the won state left, the pause ended.
void restartRun(ShellState& shell);

// Takes the restart presses no menu took, reads the focus, and does what they
// ask for; once per frame, before the physics step.
void updateSession(ShellState& shell);

}  // namespace velmora::app
