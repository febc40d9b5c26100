// Replay files: bit-exact round trips, their size, and hostile bytes.

#include <gtest/gtest.h>

#include "LevelTestFiles.h"
#include "app/shell/FrameClock.h"
#include "app/input/MoveKeys.h"
#include "app/camera/OrbitCamera.h"
#include "level/LevelIdentity.h"
#include "level/LevelSet.h"
#include "sim/PlayerSpheres.h"
#include "sim/ReplayFile.h"
#include "sim/ReplayInputCheck.h"

#include <zlib.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using velmora::testing::readText;
using velmora::testing::TempFolder;

namespace {

std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void expectSameInputs(const Replay& decoded, const Replay& original) {
    ASSERT_EQ(decoded.inputs.size(), original.inputs.size());
    for (std::size_t i = 0; i < original.inputs.size(); ++i) {
        const StepInput& a = decoded.inputs[i];
        const StepInput& b = original.inputs[i];
        for (int axis = 0; axis < 3; ++axis) {
            ASSERT_EQ(bitsOf(a.push[axis]), bitsOf(b.push[axis])) << "step " << i;
        }
        ASSERT_EQ(a.coupled, b.coupled) << "step " << i;
        ASSERT_EQ(a.restart, b.restart) << "step " << i;
    }
    EXPECT_EQ(decoded.checkpoints, original.checkpoints);
    EXPECT_EQ(decoded.levelIdentity, original.levelIdentity);
}

// About what the autopilot plays on today's level: 3,200 steps, the push
// turned by a moving camera and changed every few steps, the magnet switched
// now and then, one restart, and a checkpoint every 60 steps.
Replay autopilotLikeRun() {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> angle(0.0f, 6.2831853f);
    std::uniform_int_distribution<int> hold(4, 14);
    Replay replay;
    replay.levelIdentity = 0x1f2e3d4c5b6a7988ULL;
    StepInput input;
    int left = 0;
    for (int step = 0; step < 3200; ++step) {
        input.restart = step == 1500;
        if (--left <= 0) {
            const float a = angle(random);
            input.push = step % 9 == 0 ? glm::vec3(0.0f)
                                       : glm::vec3(std::cos(a) * 30.0f, 0.0f, std::sin(a) * 30.0f);
            if (step % 400 == 0) input.coupled = !input.coupled;
            left = hold(random);
        }
        replay.inputs.push_back(input);
        if ((step + 1) % 60 == 0) {
            replay.checkpoints.push_back({static_cast<std::uint32_t>(step),
                                          {angle(random), 0.5f, -angle(random) * 10.0f},
                                          {angle(random), 0.5f, -angle(random) * 10.0f}});
        }
    }
    return replay;
}

void putU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

// A file around a payload of our choosing, to reach the payload checks.
std::string fileAround(std::uint32_t steps, const std::string& payload) {
    uLongf packedSize = compressBound(static_cast<uLong>(payload.size()));
    std::string packed(packedSize, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
             reinterpret_cast<const Bytef*>(payload.data()), static_cast<uLong>(payload.size()));
    packed.resize(packedSize);
    std::string bytes = encodeReplay(Replay{});
    bytes.resize(30);
    putU32(bytes, 14, steps);
    putU32(bytes, 18, steps * 100 / 60);
    putU32(bytes, 22, static_cast<std::uint32_t>(payload.size()));
    putU32(bytes, 26, static_cast<std::uint32_t>(packed.size()));
    return bytes + packed;
}

std::string u32Bytes(std::uint32_t value) {
    std::string bytes(4, '\0');
    putU32(bytes, 0, value);
    return bytes;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCanLimitMemory = false;  // its shadow memory needs the room
#else
constexpr bool kCanLimitMemory = true;
#endif

// Decodes each input in a child process whose address space may grow by only
// 64 MB, so that a decoder that trusted a stated size before checking it
// fails to allocate and the child dies. True when every input was refused.
bool allRefusedInLittleMemory(const std::vector<std::string>& inputs) {
    std::cout.flush();
    const pid_t child = fork();
    if (child == 0) {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (64 << 20);
        const rlimit bound{limit, limit};
        setrlimit(RLIMIT_AS, &bound);
        for (const std::string& bytes : inputs) {
            Replay out;
            std::string error;
            if (decodeReplay(bytes, out, error)) _exit(2);
        }
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(ReplayFile, RoundTripKeepsEveryBit) {
    Replay replay;
    replay.levelIdentity = 0xfedcba9876543210ULL;
    const float tiny = std::numeric_limits<float>::denorm_min();
    const StepInput inputs[] = {
        {{0.0f, 0.0f, 0.0f}, true, false},   {{-0.0f, 0.0f, 0.0f}, true, false},
        {{0.1f, -0.0f, 1e30f}, true, false},
        {{0.1f, -0.0f, 1e30f}, false, false}, {{0.0f, 0.0f, 0.0f}, false, true},
        {{-0.0f, tiny, -tiny}, true, false},  {{12.5f, 0.0f, -7.25f}, true, true},
        {{12.5f, 0.0f, -7.25f}, true, true},  {{12.5f, 0.0f, -7.25f}, true, false},
    };
    for (int repeat = 0; repeat < 3; ++repeat) {
        replay.inputs.insert(replay.inputs.end(), std::begin(inputs), std::end(inputs));
    }
    replay.checkpoints = {{0, {1.0f, -0.0f, tiny}, {0.3f, 0.7f, -1e-20f}},
                          {23, {std::nanf(""), 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}}};
    Replay decoded;
    std::string error;
    ASSERT_TRUE(decodeReplay(encodeReplay(replay), decoded, error)) << error;
    expectSameInputs(decoded, replay);

    ASSERT_TRUE(decodeReplay(encodeReplay(Replay{}), decoded, error)) << error;
    EXPECT_TRUE(decoded.inputs.empty());
    EXPECT_TRUE(decoded.checkpoints.empty());
}

TEST(ReplayFile, AnAutopilotRunIsSmall) {
    const Replay replay = autopilotLikeRun();
    const std::string bytes = encodeReplay(replay);
    std::cout << "3,200-step run: " << bytes.size() << " bytes" << std::endl;
    EXPECT_LT(bytes.size(), 20u * 1024);
    Replay decoded;
    std::string error;
    ASSERT_TRUE(decodeReplay(bytes, decoded, error)) << error;
    expectSameInputs(decoded, replay);
}

TEST(ReplayFile, HostileBytesAreRefusedWithTheirLine) {
    const std::string good = encodeReplay(autopilotLikeRun());
    const auto with = [&](std::size_t at, std::uint32_t value, int size = 4) {
        std::string bytes = good;
        for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
        return bytes;
    };
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x55;
    // An hour's run may hold 9 MB of payload, but not in 10 bytes.
    std::string beyondDeflate = fileAround(216000, "").substr(0, 30) + "0123456789";
    putU32(beyondDeflate, 22, 9000000);
    putU32(beyondDeflate, 26, 10);
    const std::string change = u32Bytes(5) + std::string(12, '\0') + '\1';
    struct Case {
        const char* what;
        std::string bytes;
        std::string expectedError;
    };
    const Case cases[] = {
        {"empty", "", "not a replay"},
        {"other file", "\x89PNG\r\n\x1a\n and so on", "not a replay"},
        {"newer", with(4, 7, 2), "made by a newer version of the game (format 7)"},
        {"format 0", with(4, 0, 2), "damaged (format 0)"},
        {"huge step count", with(14, 0xffffffffu),
         "damaged (step count 4294967295 over the limit of 216000)"},
        {"time off", with(18, 1), "damaged (time does not match the steps)"},
        {"huge payload", with(22, 0xfffffff0u), "damaged (payload size 4294967280 impossible)"},
        {"payload beyond what deflate can give", beyondDeflate,
         "damaged (payload size 9000000 impossible)"},
        {"huge compressed size", with(26, 0xffffffffu), "cut short"},
        {"trailing bytes", good + "xyz", "damaged (3 extra bytes at the end)"},
        {"payload larger than stated", with(22, 8), "damaged (payload longer than stated)"},
        {"flipped bit", flipped, ""},
        {"huge change count", fileAround(100, u32Bytes(0xffffffffu) + u32Bytes(0)),
         "damaged (4294967295 input changes do not fit)"},
        {"huge checkpoint count", fileAround(100, u32Bytes(0) + u32Bytes(100)),
         "damaged (100 checkpoints do not fit)"},
        {"changes out of order", fileAround(100, u32Bytes(2) + change + change + u32Bytes(0)),
         "damaged (input change at step 5 out of order)"},
        {"change past the end", fileAround(5, u32Bytes(1) + change + u32Bytes(0)),
         "damaged (input change at step 5 out of order)"},
        {"unknown flag", fileAround(100, u32Bytes(1) + u32Bytes(5) + std::string(12, '\0') + '\4' +
                                             u32Bytes(0)),
         "damaged (bad input at step 5)"},
        {"infinite push", fileAround(100, u32Bytes(1) + u32Bytes(5) + u32Bytes(0x7f800000u) +
                                              std::string(8, '\0') + '\1' + u32Bytes(0)),
         "damaged (bad input at step 5)"},
        {"unexplained payload", fileAround(100, u32Bytes(0) + u32Bytes(0) + "?"),
         "damaged (1 unexplained bytes in the payload)"},
    };
    for (const Case& c : cases) {
        Replay out;
        out.levelIdentity = 99;
        std::string error;
        EXPECT_FALSE(decodeReplay(c.bytes, out, error)) << c.what;
        if (c.expectedError.empty()) {
            EXPECT_EQ(error.rfind("damaged (", 0), 0u) << c.what << ": " << error;
        } else {
            EXPECT_EQ(error, c.expectedError) << c.what;
        }
        EXPECT_EQ(out.levelIdentity, 99u) << "a refused file changed the replay: " << c.what;
    }
    if (kCanLimitMemory) {
        std::vector<std::string> inputs;
        for (const Case& c : cases) inputs.push_back(c.bytes);
        EXPECT_TRUE(allRefusedInLittleMemory(inputs));
    }

    for (std::size_t length = 1; length < good.size(); ++length) {
        Replay out;
        std::string error;
        EXPECT_FALSE(decodeReplay(good.substr(0, length), out, error));
        ASSERT_EQ(error, "cut short") << length << " bytes";
    }

    // Noise, bare and behind a real header: refused, never read out of
    // bounds (the sanitizer build watches that).
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 200, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random());
        if (round % 2 == 1) bytes = good.substr(0, 30 + random() % 8) + bytes;
        Replay out;
        std::string error;
        EXPECT_FALSE(decodeReplay(bytes, out, error));
        const bool known = error == "not a replay" || error == "cut short" ||
                           error.rfind("damaged (", 0) == 0 ||
                           error.rfind("made by a newer version of the game (format ", 0) == 0;
        ASSERT_TRUE(known) << error;
    }
}

// Every push the keys and the left stick can give, each way round under the
// camera's whole range of turns and tilts, as the game makes them.
Replay everyPushTheControlsGive() {
    Replay replay;
    const glm::vec3 directions[] = {{1, 0, -1}, {-1, 0, -1}, {1, 0, 1}, {-1, 0, 1}, {0, 0, -1},
                                    {1, 0, 0},  {0.6f, 0, -0.8f}, {0, 0, 0}};
    for (float yaw = -720.0f; yaw <= 720.0f; yaw += 3.7f) {
        for (const float pitch : {app::kLowestPitch, -23.3f, app::kHighestPitch}) {
            const glm::mat4 camera = app::orbitCameraMatrix({3.0f, 1.0f, -40.0f}, {yaw, pitch}, 6.0f);
            for (const glm::vec3& direction : directions) {
                StepInput input;
                input.push = app::pushForKeys(direction, camera, app::FrameClock::kStep) * spheres::kPushScale;
                input.coupled = yaw < 0.0f;
                replay.inputs.push_back(input);
            }
        }
    }
    return replay;
}

// Input no control of the game gives is refused with its step, and so is a
// run longer than its level allows, before any physics is spent on it.
TEST(ReplayInputCheck, RefusesWhatNoPlayerCouldHavePlayed) {
    const Replay played = everyPushTheControlsGive();
    ASSERT_EQ(impossibleInput(played), "");
    // The bound is the keys' own: the strongest push they give, a tenth of a
    // percent stronger, is already refused.
    std::size_t strongest = 0;
    for (std::size_t i = 0; i < played.inputs.size(); ++i) {
        if (glm::length(played.inputs[i].push) > glm::length(played.inputs[strongest].push)) strongest = i;
    }
    Replay stronger = played;
    stronger.inputs[strongest].push *= 1.001f;
    EXPECT_EQ(impossibleInput(stronger), "impossible input at step " + std::to_string(strongest + 1));

    const float nan = std::nanf("");
    const struct {
        const char* what;
        std::size_t step;  // counted from 0 here, from 1 in the line
        StepInput input;
    } cases[] = {
        {"far too strong", 411, {{0.0f, 0.0f, -200000.0f}, true, false}},
        {"lifting", 0, {{0.0f, 30000.0f, -200000.0f}, true, false}},
        {"a hair upward", 7, {{100.0f, 1e-3f, 100.0f}, false, false}},
        {"downward zero", 9, {{100.0f, -0.0f, 100.0f}, false, false}},
        {"not a number", 30, {{nan, 0.0f, 0.0f}, true, false}},
        {"a restart inside the run", 5, {{0.0f, 0.0f, 0.0f}, true, true}},
    };
    for (const auto& c : cases) {
        Replay hostile = played;
        hostile.inputs[c.step] = c.input;
        EXPECT_EQ(impossibleInput(hostile), "impossible input at step " + std::to_string(c.step + 1)) << c.what;
    }

    EXPECT_EQ(overLongRun(kDefaultLongestRunSteps, kDefaultLongestRunSteps), "");
    EXPECT_EQ(overLongRun(kDefaultLongestRunSteps + 1, kDefaultLongestRunSteps),
              "longer than the level allows (36000 steps)");
    // The longest file the format holds is refused from its header alone: its
    // payload here is not even deflate, and is never looked at.
    std::string hourLong = fileAround(kMaxReplaySteps, "").substr(0, 30) + "0123456789";
    putU32(hourLong, 22, 8);
    putU32(hourLong, 26, 10);
    ReplayHeader header;
    std::string error;
    ASSERT_TRUE(decodeReplayHeader(hourLong, header, error)) << error;
    EXPECT_EQ(overLongRun(header.steps, kDefaultLongestRunSteps), "longer than the level allows (36000 steps)");
    Replay whole;
    EXPECT_FALSE(decodeReplay(hourLong, whole, error));
}

TEST(ReplayFile, SavingKeepsANewerGamesFileAndSetsADamagedOneAside) {
    TempFolder temp;
    const std::string path = temp.file("run.vzr");
    const Replay replay = autopilotLikeRun();
    std::string error;
    ASSERT_TRUE(saveReplay(path, replay, error)) << error;
    Replay loaded;
    ASSERT_TRUE(loadReplay(path, loaded, error)) << error;
    expectSameInputs(loaded, replay);
    EXPECT_EQ(levelMismatch(loaded.levelIdentity, replay.levelIdentity), "");
    EXPECT_EQ(levelMismatch(loaded.levelIdentity, 1), "recorded on another version of the level");

    std::string newer = readText(path);
    newer[4] = 2;
    temp.writeText("run.vzr", newer);
    EXPECT_FALSE(saveReplay(path, replay, error));
    EXPECT_EQ(error, path + " was made by a newer version of the game (format 2); keeping it");
    EXPECT_EQ(readText(path), newer);
    EXPECT_FALSE(loadReplay(path, loaded, error));
    EXPECT_EQ(error, "Cannot play " + path + ": made by a newer version of the game (format 2)");

    temp.writeText("run.vzr", "VZRP");
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(saveReplay(path, replay, error)) << error;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              path + " is not a readable replay (cut short); kept it aside as " + path + ".bad.\n");
    EXPECT_EQ(readText(path + ".bad"), "VZRP");
    EXPECT_TRUE(loadReplay(path, loaded, error)) << error;

    Replay tooLong;
    tooLong.inputs.resize(kMaxReplaySteps + 1);
    EXPECT_FALSE(saveReplay(path, tooLong, error));
    EXPECT_EQ(error, "Cannot save " + path + ": the run is longer than an hour (216001 steps)");
}

TEST(LevelIdentity, TellsTileContentsApartAndStaysStable) {
    using Contents = std::vector<std::optional<std::string>>;
    // Pinned: a changed hash would orphan every saved best time and replay.
    EXPECT_EQ(levelIdentityText(levelIdentityOfContents({})), "cbf29ce484222325");
    const Contents distinct[] = {
        {"ab", "c"}, {"a", "bc"}, {"abc"}, {"abc", ""}, {"abc", std::nullopt}, {"c", "ab"},
    };
    for (const auto& a : distinct) {
        for (const auto& b : distinct) {
            if (&a != &b) {
                EXPECT_NE(levelIdentityOfContents(a), levelIdentityOfContents(b));
            }
        }
    }
    TempFolder temp;
    temp.writeText("Tile1.dae", "ab");
    temp.writeText("Tile2.dae", "c");
    EXPECT_EQ(levelIdentity({temp.file("Tile1.dae"), temp.file("Tile2.dae")}),
              levelIdentityOfContents({"ab", "c"}));
    EXPECT_EQ(levelIdentity({temp.file("Tile1.dae"), temp.file("missing.dae"), temp.path()}),
              levelIdentityOfContents({"ab", std::nullopt, std::nullopt}));
}
