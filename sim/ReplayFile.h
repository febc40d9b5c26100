#pragma once
// A recorded run as a file: the level's identity and the input of every
// step, with the spheres' positions every so often so that a replay can tell
// where it drifted from the recording.

#include "sim/StepInput.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct Checkpoint {
    std::uint32_t step = 0;  // the positions after this step
    glm::vec3 mainPosition{0.0f};
    glm::vec3 secondPosition{0.0f};

    bool operator==(const Checkpoint& other) const;
};

struct Replay {
    std::uint64_t levelIdentity = 0;
    std::vector<StepInput> inputs;  // one per step
    std::vector<Checkpoint> checkpoints;  // ascending steps, each below inputs.size()
};

constexpr std::uint16_t kReplayFormat = 1;
constexpr std::uint32_t kStepsPerSecond = 60;
// One hour of play; longer runs are not recorded.
constexpr std::uint32_t kMaxReplaySteps = 3600 * kStepsPerSecond;
// No replay file can be larger than this (an hour of changing input).
constexpr std::size_t kMaxReplayFileBytes = 16 * 1024 * 1024;

// Empty when the replay can be saved, else what is wrong with it.
std::string replayProblem(const Replay& replay);

// The file's bytes. Floats are kept bit for bit.
std::string encodeReplay(const Replay& replay);

// What a file's header says, read without inflating the payload: enough to
// refuse a run too long for its level before anything is spent on it.
struct ReplayHeader {
    std::uint64_t levelIdentity = 0;
    std::uint32_t steps = 0;
};

// False, with error as decodeReplay would set it, when the header alone
// shows the file unusable.
bool decodeReplayHeader(const std::string& bytes, ReplayHeader& out, std::string& error);

// Reads a replay from untrusted bytes. On failure returns false and sets
// error to one of "not a replay", "made by a newer version of the game
// (format N)", "cut short" or "damaged (what)".
bool decodeReplay(const std::string& bytes, Replay& out, std::string& error);

// "recorded on another version of the level" when the identities differ,
// else empty.
std::string levelMismatch(std::uint64_t recorded, std::uint64_t current);

// Saves atomically; on failure error is one line for the player. A file at
// path from a newer version of the game is kept (false); one that cannot be
// read is kept aside first (with its own line).
bool saveReplay(const std::string& path, const Replay& replay, std::string& error);

// error names the file.
bool loadReplay(const std::string& path, Replay& out, std::string& error);

}  // namespace velmora
