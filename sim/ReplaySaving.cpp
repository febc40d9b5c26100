// Saving and loading replay files; the format itself is in ReplayFile.cpp.

#include "sim/ReplayFile.h"

#include "platform/AtomicFile.h"

namespace velmora {

namespace {

constexpr const char* kNewerPrefix = "made by a newer version";

}  // namespace

bool saveReplay(const std::string& path, const Replay& replay, std::string& error) {
    if (const std::string problem = replayProblem(replay); !problem.empty()) {
        error = "Cannot save " + path + ": the run is " + problem;
        return false;
    }
    // What is at the target already: a newer game's file stays untouched, a
    // damaged one is kept aside rather than lost.
    std::string existing, readError;
    const platform::ReadResult read =
        platform::readWholeFile(path, kMaxReplayFileBytes, existing, readError);
    if (read == platform::ReadResult::failed) {
        error = readError + "; not saving over it";
        return false;
    }
    if (read != platform::ReadResult::missing) {
        Replay old;
        std::string decodeError = "too large for a replay";
        if (read == platform::ReadResult::tooLarge || !decodeReplay(existing, old, decodeError)) {
            if (decodeError.rfind(kNewerPrefix, 0) == 0) {
                error = path + " was " + decodeError + "; keeping it";
                return false;
            }
            if (platform::keepAside(path, "is not a readable replay (" + decodeError + ")").empty()) {
                error = "Cannot save " + path + ": the unreadable file there could not be moved";
                return false;
            }
        }
    }
    return platform::writeFileAtomically(path, encodeReplay(replay), error);
}

bool loadReplay(const std::string& path, Replay& out, std::string& error) {
    std::string bytes;
    if (platform::readWholeFile(path, kMaxReplayFileBytes, bytes, error) != platform::ReadResult::ok) {
        return false;
    }
    if (!decodeReplay(bytes, out, error)) {
        error = "Cannot play " + path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace velmora
