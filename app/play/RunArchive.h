#pragma once
// The runs the game keeps: the one being played is recorded step by step; a
// run that reaches the goal is saved as the level's latest replay and, when
// it beats the kept best time, as its best replay too, in the game's data
// folder. The best run's path is what the ghost follows. With a leaderboard
// set, each finished run is queued to be sent as well.

#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "level/LevelSet.h"
#include "sim/ReplayFile.h"
#include "sim/RunRecorder.h"

namespace velmora::app {

struct RunArchive {
    // Only the game itself keeps the player's files; tests and the autopilot
    // tool play without touching them.
    bool keepsPlayerFiles = false;
    // Where autoplay writes its run, when asked to.
    std::string saveRunTo;
    LevelEntry level;
    std::uint64_t levelIdentity = 0;
    RunRecorder recorder;
    std::optional<Replay> best;       // the best run of the level, when there is one
    std::vector<glm::vec3> ghostPath;  // the main sphere after each of its steps
    long bestSteps = -1;               // as kept in the best times, -1: none
    std::future<void> saving;          // the last finished run's files being written
    // With a leaderboard set: every finished run is queued there too
    // (app/online/RunQueue.h), and runQueued told once it is, from the
    // thread that wrote it.
    std::string runQueueFolder;
    std::function<void()> runQueued;
};

// The level's identity and, for the game, its best time and best run.
void openArchive(RunArchive& archive, const LevelEntry& level);

// At the goal: a run better than the kept best becomes the best at once,
// with its recorded path as the ghost's; its files (the latest replay, and
// the best one and the best times when it is the best) are written on a
// thread of their own, as their syncs to disk would stall the goal's frame.
// Lines for the player say what went wrong.
void archiveFinishedRun(RunArchive& archive);

// Waits until the last finished run's files are written (at once when they
// are): before they are read again, or another level's tiles are read.
void finishSaving(RunArchive& archive);

// Plays a replay headless and returns the main sphere's position after each
// step: the path a ghost follows. For a best run read from disk, at the
// level's load; the run just played has its path recorded already.
std::vector<glm::vec3> ghostPathOf(const Replay& replay, const LevelEntry& level);

// The replay files of a level in the data folder ("" when it is unusable).
std::string replayPath(const RunArchive& archive, const std::string& which);

}  // namespace velmora::app
