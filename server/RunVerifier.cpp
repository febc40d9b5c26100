#include "server/RunVerifier.h"

#include "sim/ReplayFile.h"
#include "sim/ReplayInputCheck.h"
#include "sim/ReplayVerdict.h"
#include "sim/Simulation.h"
#include "sim/World.h"

namespace velmora::server {

struct RunVerifier::BuiltLevel {
    explicit BuiltLevel(const LevelEntry& entry) : simulation(world, entry.tiles, entry.places) {}
    World world;
    Simulation simulation;
    bool fresh = true;  // nothing stepped since it was built
};

RunVerifier::RunVerifier(const LevelCatalog& catalog) : catalog_(catalog) {}

RunVerifier::~RunVerifier() = default;

RunVerifier::BuiltLevel& RunVerifier::levelOf(const CatalogLevel& level) {
    std::unique_ptr<BuiltLevel>& built = built_[level.identity];
    if (!built) built = std::make_unique<BuiltLevel>(level.entry);
    return *built;
}

RunCheck RunVerifier::verify(const std::string& levelIdentity, const std::string& bytes) {
    const CatalogLevel* level = catalog_.findText(levelIdentity);
    if (level == nullptr) return {false, "this verifier does not have the level " + levelIdentity};
    // The front checked all of this, but under its own build: a verifier
    // trusts nothing that reaches it through the database either.
    Replay replay;
    std::string error;
    if (!decodeReplay(bytes, replay, error)) return {false, error};
    if (replay.levelIdentity != level->identity) return {false, levelMismatch(replay.levelIdentity, level->identity)};
    if (std::string tooLong = overLongRun(replay.inputs.size(), level->entry.longestRunSteps); !tooLong.empty()) {
        return {false, tooLong};
    }
    if (std::string impossible = impossibleInput(replay); !impossible.empty()) return {false, impossible};

    BuiltLevel& built = levelOf(*level);
    if (!built.fresh && !replay.inputs.empty()) replay.inputs.front().restart = true;
    built.fresh = built.fresh && replay.inputs.empty();
    const ReplayOutcome outcome = playReplay(replay, built.simulation);
    const ReplayVerdict verdict = replayVerdict(outcome, static_cast<long>(replay.inputs.size()));
    return {verdict.goalAsRecorded, verdict.line};
}

}  // namespace velmora::server
