#include "app/play/RunArchive.h"

#include <iostream>
#include <system_error>

#include "app/online/RunQueue.h"
#include "level/LevelIdentity.h"
#include "platform/DataFolders.h"
#include "sim/BestTimes.h"
#include "sim/PhysicsSetup.h"
#include "sim/RunClock.h"
#include "sim/SceneObject.h"
#include "sim/Simulation.h"
#include "sim/World.h"

namespace velmora::app {

namespace {

std::string levelKey(const RunArchive& archive) { return levelIdentityText(archive.levelIdentity); }

// What a finished run leaves on disk. Written on a thread of its own: it
// touches nothing but its own copy and the files.
struct RunFiles {
    Replay run;
    std::string saveRunTo;  // autoplay's copy, when asked for
    bool keepsPlayerFiles = false;
    bool newBest = false;
    std::string levelKey;
    std::uint32_t steps = 0;  // the run's time
    std::string runQueueFolder;
    std::function<void()> runQueued;
};

std::string replayPath(const std::string& levelKey, const std::string& which) {
    const std::string folder = platform::replaysFolder();
    if (folder.empty()) return {};
    return folder + "/" + levelKey + "-" + which + ".vzr";
}

void writeRunFiles(const RunFiles& files) {
    std::string error;
    if (!files.saveRunTo.empty() && !saveReplay(files.saveRunTo, files.run, error)) {
        std::cout << error << std::endl;
    }
    if (!files.runQueueFolder.empty()) {
        RunQueue queue(files.runQueueFolder);
        if (queue.add(files.run, error)) {
            if (files.runQueued) files.runQueued();
        } else {
            std::cout << error << std::endl;
        }
    }
    if (!files.keepsPlayerFiles) return;
    const std::string latest = replayPath(files.levelKey, "latest");
    if (!latest.empty() && !saveReplay(latest, files.run, error)) std::cout << error << std::endl;
    if (!files.newBest) return;
    BestTimes times(BestTimes::defaultPath());
    times.record(files.levelKey, files.steps);
    times.save();
    const std::string best = replayPath(files.levelKey, "best");
    if (!best.empty() && !saveReplay(best, files.run, error)) std::cout << error << std::endl;
}

}  // namespace

std::string replayPath(const RunArchive& archive, const std::string& which) {
    return replayPath(levelKey(archive), which);
}

void openArchive(RunArchive& archive, const LevelEntry& level) {
    finishSaving(archive);  // the best time read below may be the one being written
    archive.level = level;
    archive.levelIdentity = levelIdentityOf(level);
    archive.best.reset();
    archive.ghostPath.clear();
    archive.bestSteps = -1;
    archive.recorder.begin(archive.levelIdentity);
    if (!archive.keepsPlayerFiles) return;
    const BestTimes times(BestTimes::defaultPath());
    if (const auto best = times.best(levelKey(archive))) archive.bestSteps = *best;
    const std::string path = replayPath(archive, "best");
    Replay replay;
    std::string error;
    if (path.empty() || !loadReplay(path, replay, error)) return;  // none yet, or said why
    if (!levelMismatch(replay.levelIdentity, archive.levelIdentity).empty()) return;
    archive.ghostPath = ghostPathOf(replay, level);
    archive.best = std::move(replay);
}

void archiveFinishedRun(RunArchive& archive) {
    RunFiles files;
    files.run = archive.recorder.replay();
    files.saveRunTo = archive.saveRunTo;
    files.keepsPlayerFiles = archive.keepsPlayerFiles;
    files.runQueueFolder = archive.runQueueFolder;
    files.runQueued = archive.runQueued;
    files.levelKey = levelKey(archive);
    files.steps = static_cast<std::uint32_t>(clockedSteps(files.run.inputs));
    files.newBest = archive.keepsPlayerFiles && (archive.bestSteps < 0 || files.steps < archive.bestSteps);
    if (files.newBest) {
        archive.bestSteps = files.steps;
        archive.best = files.run;
        // What the main sphere did in this run, recorded as it was played:
        // replaying the run here would stall the goal's frame for as long as
        // the run grows.
        archive.ghostPath = archive.recorder.mainPath();
    }
    if (files.saveRunTo.empty() && !files.keepsPlayerFiles && files.runQueueFolder.empty()) {
        return;  // nothing to write
    }
    finishSaving(archive);  // runs are seconds apart: the last one's are long written
    try {
        archive.saving = std::async(std::launch::async, writeRunFiles, files);
    } catch (const std::system_error&) {
        writeRunFiles(files);  // no thread to be had: in the frame, as ever
    }
}

void finishSaving(RunArchive& archive) {
    if (archive.saving.valid()) archive.saving.get();
}

std::vector<glm::vec3> ghostPathOf(const Replay& replay, const LevelEntry& level) {
    std::vector<glm::vec3> path;
    path.reserve(replay.inputs.size());
    World world;
    {
        Simulation simulation(world, level.tiles, level.places);
        for (const StepInput& input : replay.inputs) {
            simulation.step(input);
            path.push_back(simulation.spherePosition(MainActorType));
        }
    }
    return path;
}

}  // namespace velmora::app
