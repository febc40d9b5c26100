#pragma once
// The finished runs waiting to go to the leaderboard: one replay file per
// run in a folder of the data folder (outbox/), each written atomically, so
// a run finished offline, or just before the game was closed, is sent on a
// later start. Oldest first: names start with the time the run was queued.

#include <string>
#include <vector>

#include "sim/ReplayFile.h"

namespace velmora::app {

class RunQueue {
public:
    // "<data folder>/outbox", or the folder given (tests); made when first
    // written to.
    explicit RunQueue(std::string folder);
    static std::string defaultFolder();

    // Writes the run as the next file; false with error (one line) when it
    // could not be.
    bool add(const Replay& run, std::string& error);

    // The waiting runs' paths, oldest first.
    std::vector<std::string> waiting() const;

    // A run the leaderboard took: its file goes.
    void remove(const std::string& path) const;

    // A run the leaderboard refused for good (a 4xx other than a rate limit):
    // kept aside as <name>.bad with the reason (one line), never sent again,
    // and never deleted, so the player still has it.
    void setAside(const std::string& path, const std::string& reason) const;

    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

}  // namespace velmora::app
