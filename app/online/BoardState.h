#pragma once
// What the game shows of the leaderboard, handed from the sender's thread to
// the frames: the latest run's line for the HUD, the Levels screen's table of
// the level asked for, and the record's replay once downloaded. Every access
// takes the lock; frames only copy out small things.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sim/ReplayFile.h"

namespace velmora::app {

// The first place's run of a level, downloaded to race as a ghost.
struct RecordDownload {
    std::string level;    // its identity, as the leaderboard names it
    std::optional<Replay> run;
    std::string error;    // why there is none
};

class BoardState {
public:
    void setLatestRun(const std::string& line);
    std::string latestRun() const;

    // Lines for one level's table ("fetching" until they arrive).
    void setLevelBoard(const std::string& level, const std::vector<std::string>& lines);
    std::vector<std::string> levelBoard(const std::string& level) const;

    void setRecord(RecordDownload record);
    std::optional<RecordDownload> takeRecord();

private:
    mutable std::mutex mutex_;
    std::string latestRun_;
    std::string boardLevel_;
    std::vector<std::string> boardLines_;
    std::optional<RecordDownload> record_;
};

}  // namespace velmora::app
