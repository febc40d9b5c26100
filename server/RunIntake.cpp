#include "server/RunIntake.h"

#include <cstring>

#include "sim/ByteFields.h"
#include "sim/ReplayFile.h"
#include "sim/ReplayInputCheck.h"

namespace velmora::server {

namespace {

constexpr int kUnreadable = 400;
constexpr int kUnacceptable = 422;

RunIntake refused(int status, const std::string& error) {
    RunIntake intake;
    intake.status = status;
    intake.error = error;
    return intake;
}

// The level and the length, then each change of input with its step; bit
// for bit, so that a push of -0 and one of +0 are different runs, as they
// are to the replay.
std::string inputKeyOf(const Replay& replay) {
    ByteWriter out;
    out.u64(replay.levelIdentity);
    out.u32(static_cast<std::uint32_t>(replay.inputs.size()));
    for (std::size_t step = 0; step < replay.inputs.size(); ++step) {
        const StepInput& input = replay.inputs[step];
        if (step > 0) {
            const StepInput& before = replay.inputs[step - 1];
            if (std::memcmp(&input.push, &before.push, sizeof input.push) == 0 &&
                input.coupled == before.coupled && input.restart == before.restart) {
                continue;
            }
        }
        out.u32(static_cast<std::uint32_t>(step));
        out.f32(input.push.x);
        out.f32(input.push.y);
        out.f32(input.push.z);
        out.u8(static_cast<std::uint8_t>((input.coupled ? 1 : 0) | (input.restart ? 2 : 0)));
    }
    return out.bytes();
}

}  // namespace

RunIntake takeInRun(const std::string& bytes, const LevelCatalog& catalog) {
    ReplayHeader header;
    std::string error;
    if (!decodeReplayHeader(bytes, header, error)) return refused(kUnreadable, error);
    const CatalogLevel* level = catalog.find(header.levelIdentity);
    if (level == nullptr) return refused(kUnacceptable, "not a level of this leaderboard");
    if (const std::string tooLong = overLongRun(header.steps, level->entry.longestRunSteps); !tooLong.empty()) {
        return refused(kUnacceptable, tooLong);
    }
    Replay replay;
    if (!decodeReplay(bytes, replay, error)) return refused(kUnreadable, error);
    if (replay.inputs.empty()) return refused(kUnacceptable, "an empty run");
    if (const std::string impossible = impossibleInput(replay); !impossible.empty()) {
        return refused(kUnacceptable, impossible);
    }
    RunIntake intake;
    intake.level = level;
    intake.steps = static_cast<long>(replay.inputs.size());
    intake.inputKey = inputKeyOf(replay);
    return intake;
}

}  // namespace velmora::server
