// Replay files (sim/ReplayFile.h) from untrusted bytes, and the checks a
// verifier makes of them before playing (sim/ReplayInputCheck.h).

#include "sim/ReplayFile.h"
#include "sim/ReplayInputCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    velmora::Replay replay;
    std::string error;
    velmora::ReplayHeader header;
    std::string headerError;
    const bool headerRead = velmora::decodeReplayHeader(bytes, header, headerError);
    if (!velmora::decodeReplay(bytes, replay, error)) {
        if (error.empty()) __builtin_trap();
        // A header refused alone is refused with the same line whole.
        if (!headerRead && headerError != error) __builtin_trap();
        return 0;
    }
    // The header a verifier refuses by says what the whole file holds.
    if (!headerRead || header.levelIdentity != replay.levelIdentity || header.steps != replay.inputs.size()) {
        __builtin_trap();
    }
    velmora::impossibleInput(replay);
    // What decodes must be a replay the game could have written, and must
    // come back the same through the encoder.
    if (!velmora::replayProblem(replay).empty()) __builtin_trap();
    velmora::Replay again;
    if (!velmora::decodeReplay(velmora::encodeReplay(replay), again, error)) __builtin_trap();
    if (again.inputs != replay.inputs || again.checkpoints != replay.checkpoints ||
        again.levelIdentity != replay.levelIdentity) {
        __builtin_trap();
    }
    return 0;
}
