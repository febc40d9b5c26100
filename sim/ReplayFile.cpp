#include "sim/ReplayFile.h"

#include "sim/ByteFields.h"

#include <zlib.h>

#include <cmath>
#include <cstring>

// The file: "VZRP", format (u16), level identity (u64), step count (u32), the
// run's time in hundredths of a second (u32), the payload's size before and
// after compression (u32 each), then the payload compressed with zlib. The
// payload holds the input only where it changes (step, push as float bits,
// flags), then the checkpoints (step, both positions as float bits). Every
// number is little-endian.

namespace velmora {

namespace {

constexpr char kMagic[4] = {'V', 'Z', 'R', 'P'};
constexpr std::size_t kHeaderBytes = 4 + 2 + 8 + 4 + 4 + 4 + 4;
constexpr std::size_t kChangeBytes = 4 + 3 * 4 + 1;
constexpr std::size_t kCheckpointBytes = 4 + 6 * 4;
constexpr std::uint8_t kCoupledFlag = 1;
constexpr std::uint8_t kRestartFlag = 2;
// Deflate cannot shrink data by more than about 1032:1; the slack covers the
// stream's own header and the smallest inputs.
constexpr std::uint64_t kMaxDeflateRatio = 1032;
constexpr std::uint64_t kDeflateSlack = 64;

struct FileHeader {
    std::uint64_t levelIdentity = 0;
    std::uint32_t steps = 0;
    std::uint32_t payloadSize = 0;
    std::uint32_t packedSize = 0;
};

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool sameBits(const glm::vec3& a, const glm::vec3& b) {
    return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
}

// Bit for bit: a push of -0 after +0 is a change the replay must keep.
bool sameInput(const StepInput& a, const StepInput& b) {
    return sameBits(a.push, b.push) && a.coupled == b.coupled && a.restart == b.restart;
}

std::uint32_t hundredthsOf(std::uint64_t steps) {
    return static_cast<std::uint32_t>(steps * 100 / kStepsPerSecond);
}

std::uint64_t largestPayload(std::uint64_t steps) {
    return 8 + steps * (kChangeBytes + kCheckpointBytes);
}

void writeVec3(ByteWriter& out, const glm::vec3& v) {
    out.f32(v.x);
    out.f32(v.y);
    out.f32(v.z);
}

bool readVec3(ByteReader& in, glm::vec3& v) { return in.f32(v.x) && in.f32(v.y) && in.f32(v.z); }

bool finite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

std::string damaged(const std::string& what) { return "damaged (" + what + ")"; }

// Inflates exactly expected bytes from compressed, or says what is wrong.
bool inflateExactly(const char* compressed, std::size_t compressedSize, std::size_t expected,
                    std::string& out, std::string& error) {
    out.assign(expected, '\0');
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        error = damaged("cannot start decompressing");
        return false;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed));
    stream.avail_in = static_cast<uInt>(compressedSize);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(expected);
    const int result = inflate(&stream, Z_FINISH);
    const bool endedWell = result == Z_STREAM_END && stream.avail_out == 0 && stream.avail_in == 0;
    if (!endedWell) {
        if (result == Z_DATA_ERROR || result == Z_NEED_DICT || result == Z_MEM_ERROR) {
            error = damaged(std::string("compressed data: ") +
                            (stream.msg != nullptr ? stream.msg : "invalid"));
        } else if (result == Z_STREAM_END && stream.avail_out > 0) {
            error = damaged("payload shorter than stated");
        } else if (result == Z_STREAM_END) {
            error = damaged("bytes after the compressed data");
        } else if (stream.avail_out == 0) {
            error = damaged("payload longer than stated");
        } else {
            error = damaged("compressed data ends early");
        }
    }
    inflateEnd(&stream);
    return endedWell;
}

bool decodePayload(const std::string& payload, std::uint32_t steps, Replay& replay,
                   std::string& error) {
    ByteReader in(payload.data(), payload.size());
    std::uint32_t changes = 0;
    if (!in.u32(changes)) return error = damaged("payload too short"), false;
    if (changes > steps || std::uint64_t{changes} * kChangeBytes > in.remaining()) {
        return error = damaged(std::to_string(changes) + " input changes do not fit"), false;
    }
    replay.inputs.assign(steps, StepInput{});
    StepInput current;
    std::uint64_t nextFree = 0;  // the first step a further change may name
    std::uint64_t filled = 0;
    for (std::uint32_t i = 0; i < changes; ++i) {
        std::uint32_t step = 0;
        std::uint8_t flags = 0;
        StepInput input;
        in.u32(step);
        readVec3(in, input.push);
        in.u8(flags);
        if (step < nextFree || step >= steps) {
            return error = damaged("input change at step " + std::to_string(step) + " out of order"),
                   false;
        }
        if ((flags & ~(kCoupledFlag | kRestartFlag)) != 0 || !finite(input.push)) {
            return error = damaged("bad input at step " + std::to_string(step)), false;
        }
        input.coupled = (flags & kCoupledFlag) != 0;
        input.restart = (flags & kRestartFlag) != 0;
        for (; filled < step; ++filled) replay.inputs[filled] = current;
        current = input;
        nextFree = std::uint64_t{step} + 1;
    }
    for (; filled < steps; ++filled) replay.inputs[filled] = current;

    std::uint32_t checkpoints = 0;
    if (!in.u32(checkpoints)) return error = damaged("payload too short"), false;
    if (checkpoints > steps || std::uint64_t{checkpoints} * kCheckpointBytes > in.remaining()) {
        return error = damaged(std::to_string(checkpoints) + " checkpoints do not fit"), false;
    }
    replay.checkpoints.resize(checkpoints);
    nextFree = 0;
    for (Checkpoint& checkpoint : replay.checkpoints) {
        in.u32(checkpoint.step);
        readVec3(in, checkpoint.mainPosition);
        readVec3(in, checkpoint.secondPosition);
        if (checkpoint.step < nextFree || checkpoint.step >= steps) {
            return error = damaged("checkpoint at step " + std::to_string(checkpoint.step) +
                                   " out of order"),
                   false;
        }
        nextFree = std::uint64_t{checkpoint.step} + 1;
    }
    if (in.remaining() != 0) {
        return error = damaged(std::to_string(in.remaining()) + " unexplained bytes in the payload"),
               false;
    }
    return true;
}

// Every size is checked against the limits and against the bytes actually
// there before anything is allocated for it.
bool readHeader(const std::string& bytes, FileHeader& header, std::string& error) {
    if (bytes.size() < sizeof kMagic) {
        const bool startsLikeOne = !bytes.empty() && std::memcmp(bytes.data(), kMagic, bytes.size()) == 0;
        error = startsLikeOne ? "cut short" : "not a replay";
        return false;
    }
    if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return error = "not a replay", false;
    ByteReader in(bytes.data() + sizeof kMagic, bytes.size() - sizeof kMagic);
    std::uint16_t format = 0;
    if (!in.u16(format)) return error = "cut short", false;
    if (format > kReplayFormat) {
        error = "made by a newer version of the game (format " + std::to_string(format) + ")";
        return false;
    }
    if (format == 0) return error = damaged("format 0"), false;

    std::uint32_t steps = 0, hundredths = 0, payloadSize = 0, packedSize = 0;
    if (!in.u64(header.levelIdentity) || !in.u32(steps) || !in.u32(hundredths) ||
        !in.u32(payloadSize) || !in.u32(packedSize)) {
        return error = "cut short", false;
    }
    if (steps > kMaxReplaySteps) {
        return error = damaged("step count " + std::to_string(steps) + " over the limit of " +
                               std::to_string(kMaxReplaySteps)),
               false;
    }
    if (hundredths != hundredthsOf(steps)) return error = damaged("time does not match the steps"), false;
    if (in.remaining() < packedSize) return error = "cut short", false;
    if (in.remaining() > packedSize) {
        return error = damaged(std::to_string(in.remaining() - packedSize) + " extra bytes at the end"),
               false;
    }
    if (payloadSize < 8 || payloadSize > largestPayload(steps) ||
        payloadSize > std::uint64_t{packedSize} * kMaxDeflateRatio + kDeflateSlack) {
        return error = damaged("payload size " + std::to_string(payloadSize) + " impossible"), false;
    }
    header.steps = steps;
    header.payloadSize = payloadSize;
    header.packedSize = packedSize;
    return true;
}

}  // namespace

bool Checkpoint::operator==(const Checkpoint& other) const {
    return step == other.step && sameBits(mainPosition, other.mainPosition) &&
           sameBits(secondPosition, other.secondPosition);
}

std::string replayProblem(const Replay& replay) {
    if (replay.inputs.size() > kMaxReplaySteps) {
        return "longer than an hour (" + std::to_string(replay.inputs.size()) + " steps)";
    }
    for (const StepInput& input : replay.inputs) {
        if (!finite(input.push)) return "a push that is not a finite number";
    }
    std::uint64_t nextFree = 0;
    for (const Checkpoint& checkpoint : replay.checkpoints) {
        if (checkpoint.step < nextFree || checkpoint.step >= replay.inputs.size()) {
            return "checkpoint at step " + std::to_string(checkpoint.step) + " out of order";
        }
        nextFree = std::uint64_t{checkpoint.step} + 1;
    }
    return {};
}

std::string encodeReplay(const Replay& replay) {
    ByteWriter payload;
    std::uint32_t changes = 0;
    payload.u32(0);  // the count, filled in below
    StepInput previous;
    for (std::size_t step = 0; step < replay.inputs.size(); ++step) {
        const StepInput& input = replay.inputs[step];
        if (sameInput(input, previous)) continue;
        payload.u32(static_cast<std::uint32_t>(step));
        writeVec3(payload, input.push);
        payload.u8((input.coupled ? kCoupledFlag : 0) | (input.restart ? kRestartFlag : 0));
        previous = input;
        ++changes;
    }
    for (int i = 0; i < 4; ++i) payload.bytes()[i] = static_cast<char>((changes >> (8 * i)) & 0xff);
    payload.u32(static_cast<std::uint32_t>(replay.checkpoints.size()));
    for (const Checkpoint& checkpoint : replay.checkpoints) {
        payload.u32(checkpoint.step);
        writeVec3(payload, checkpoint.mainPosition);
        writeVec3(payload, checkpoint.secondPosition);
    }

    const std::string& plain = payload.bytes();
    uLongf packedSize = compressBound(static_cast<uLong>(plain.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(plain.data()), static_cast<uLong>(plain.size()),
              Z_BEST_COMPRESSION);
    packed.resize(packedSize);

    ByteWriter file;
    file.raw(std::string(kMagic, sizeof kMagic));
    file.u16(kReplayFormat);
    file.u64(replay.levelIdentity);
    file.u32(static_cast<std::uint32_t>(replay.inputs.size()));
    file.u32(hundredthsOf(replay.inputs.size()));
    file.u32(static_cast<std::uint32_t>(plain.size()));
    file.u32(static_cast<std::uint32_t>(packed.size()));
    file.raw(packed);
    return std::move(file.bytes());
}

bool decodeReplayHeader(const std::string& bytes, ReplayHeader& out, std::string& error) {
    FileHeader header;
    if (!readHeader(bytes, header, error)) return false;
    out = ReplayHeader{header.levelIdentity, header.steps};
    return true;
}

bool decodeReplay(const std::string& bytes, Replay& out, std::string& error) {
    FileHeader header;
    if (!readHeader(bytes, header, error)) return false;
    std::string payload;
    if (!inflateExactly(bytes.data() + kHeaderBytes, header.packedSize, header.payloadSize, payload,
                        error)) {
        return false;
    }
    Replay replay;
    replay.levelIdentity = header.levelIdentity;
    if (!decodePayload(payload, header.steps, replay, error)) return false;
    out = std::move(replay);
    return true;
}

std::string levelMismatch(std::uint64_t recorded, std::uint64_t current) {
    return recorded == current ? std::string() : "recorded on another version of the level";
}

}  // namespace velmora
