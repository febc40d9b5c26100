#include "sim/ReplayInputCheck.h"

#include <cmath>

#include "sim/PlayerSpheres.h"

namespace velmora {

namespace {

// The keys, the left stick or both give a camera-space direction whose axes
// are each kept within -1..1, so at most sqrt(2) long. The camera only turns
// it and dropping its height only shortens it; the game then scales it by
// 1000 per second over one 1/60 s step, and by kPushScale into newtons.
constexpr double kFullKeyPush = 1000.0 / 60.0 * spheres::kPushScale;
// The float path from keys to newtons rounds a few times on the way; a
// hundredth of a percent covers that and gives a cheat nothing.
constexpr double kStrongestPush = kFullKeyPush * 1.4142135623730951 * 1.0001;

bool possible(const StepInput& input) {
    // The push is made in the ground plane: its height is a plain +0, never
    // -0, whatever the camera's tilt.
    if (input.push.y != 0.0f || std::signbit(input.push.y)) return false;
    // Doubles: the square of a huge float would overflow to infinity, and a
    // NaN must fail the test rather than slip past it.
    const double x = input.push.x;
    const double z = input.push.z;
    if (!(std::sqrt(x * x + z * z) <= kStrongestPush)) return false;
    // The recorder never keeps a restart: a restarted run is a new run.
    return !input.restart;
}

}  // namespace

std::string impossibleInput(const Replay& replay) {
    for (std::size_t step = 0; step < replay.inputs.size(); ++step) {
        if (!possible(replay.inputs[step])) return "impossible input at step " + std::to_string(step + 1);
    }
    return {};
}

std::string overLongRun(std::uint64_t steps, long longestSteps) {
    if (longestSteps >= 0 && steps <= static_cast<std::uint64_t>(longestSteps)) return {};
    return "longer than the level allows (" + std::to_string(longestSteps) + " steps)";
}

}  // namespace velmora
