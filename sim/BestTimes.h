#pragma once
// The player's best time on each level, kept in "best-times.txt" in the
// game's data folder across sessions.

#include "sim/BestTimesText.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class BestTimes {
public:
    // Reads the file at path (none yet: no times). Warnings and problems are
    // printed as one line each. An empty path keeps times for this session
    // only.
    explicit BestTimes(std::string path);

    // "<data folder>/best-times.txt", or empty when the folder is unusable.
    static std::string defaultPath();

    std::optional<std::uint32_t> best(const std::string& key) const;

    // A finished run of steps physics steps: true when it beats the kept
    // time, which is then replaced and saved.
    bool record(const std::string& key, std::uint32_t steps);

    // False when the file may not or could not be written (one line said
    // why).
    bool save();

private:
    std::string path_;
    BestTimesText table_;
    // Why the file must not be written over; empty when it may.
    std::string keepReason_;
    bool keepReasonPrinted_ = false;
};

}  // namespace velmora
