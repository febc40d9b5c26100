#include "app/RunArchive.h"

#include <iostream>

#include "level/LevelIdentity.h"
#include "platform/DataFolders.h"
#include "world/BestTimes.h"
#include "world/PhysicsSetup.h"
#include "world/RunClock.h"
#include "world/SceneObject.h"
#include "world/Simulation.h"
#include "world/World.h"

namespace velmora::app {

namespace {

std::string levelKey(const RunArchive& archive) { return levelIdentityText(archive.levelIdentity); }

}  // namespace

std::string replayPath(const RunArchive& archive, const std::string& which) {
    const std::string folder = platform::replaysFolder();
    if (folder.empty()) return {};
    return folder + "/" + levelKey(archive) + "-" + which + ".vzr";
}

void openArchive(RunArchive& archive, const LevelEntry& level) {
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

bool archiveFinishedRun(RunArchive& archive) {
    const Replay& run = archive.recorder.replay();
    std::string error;
    bool saved = false;
    if (!archive.saveRunTo.empty()) {
        saved = saveReplay(archive.saveRunTo, run, error);
        if (!saved) std::cout << error << std::endl;
    }
    if (!archive.keepsPlayerFiles) return saved;
    const std::string latest = replayPath(archive, "latest");
    if (!latest.empty()) {
        if (saveReplay(latest, run, error)) {
            saved = true;
        } else {
            std::cout << error << std::endl;
        }
    }
    const auto steps = static_cast<std::uint32_t>(clockedSteps(run.inputs));
    BestTimes times(BestTimes::defaultPath());
    if (archive.bestSteps >= 0 && steps >= archive.bestSteps) return saved;
    times.record(levelKey(archive), steps);
    times.save();
    archive.bestSteps = steps;
    archive.best = run;
    // What the main sphere did in this run, recorded as it was played:
    // replaying the run here would stall the goal's frame for as long as
    // the run grows.
    archive.ghostPath = archive.recorder.mainPath();
    const std::string best = replayPath(archive, "best");
    if (!best.empty() && !saveReplay(best, run, error)) std::cout << error << std::endl;
    return saved;
}

std::vector<glm::vec3> ghostPathOf(const Replay& replay, const LevelEntry& level) {
    std::vector<glm::vec3> path;
    path.reserve(replay.inputs.size());
    // The game's own scene stays the one the physics set-up names.
    physics::Scene* const gameScene = physicsScene;
    World world;
    {
        Simulation simulation(world, level.tiles, level.places);
        for (const StepInput& input : replay.inputs) {
            simulation.step(input);
            path.push_back(simulation.spherePosition(MainActorType));
        }
    }
    physicsScene = gameScene;
    return path;
}

}  // namespace velmora::app
