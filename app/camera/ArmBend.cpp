#include "app/camera/ArmBend.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmora::app {

namespace {

// The bends tried, least first: a degree of swing weighs as a degree of
// lift, so the camera slides along a wall or rises over it, whichever is
// less of a turn from the player's view.
std::vector<ArmBend> bendsByCost() {
    std::vector<ArmBend> bends;
    for (float swing : {0.0f, 20.0f, -20.0f, 40.0f, -40.0f, 60.0f, -60.0f, 90.0f, -90.0f}) {
        for (float lift : {0.0f, 10.0f, 20.0f, 30.0f, 40.0f, 50.0f}) {
            if (swing != 0.0f || lift != 0.0f) bends.push_back({swing, lift});
        }
    }
    std::stable_sort(bends.begin(), bends.end(), [](const ArmBend& a, const ArmBend& b) {
        return std::abs(a.swing) + a.lift < std::abs(b.swing) + b.lift;
    });
    return bends;
}

}  // namespace

OrbitAngles bentAngles(const OrbitAngles& player, const ArmBend& bend) {
    return {player.yaw + bend.swing, std::max(player.pitch - bend.lift, kSteepestLookDown)};
}

glm::vec3 armDirection(const OrbitAngles& angles) {
    return glm::vec3(orbitCameraMatrix(glm::vec3(0.0f), angles, 1.0f)[3]);
}

ArmBend clearBend(const std::function<float(const ArmBend&)>& clearLength, float wanted, const ArmBend& keep) {
    if (clearLength(ArmBend{}) >= wanted) return ArmBend{};
    if (!(keep == ArmBend{}) && clearLength(keep) >= wanted) return keep;
    static const std::vector<ArmBend> bends = bendsByCost();
    ArmBend furthest{};
    float furthestClear = clearLength(furthest);
    for (const ArmBend& bend : bends) {
        const float clear = clearLength(bend);
        if (clear >= wanted) return bend;
        if (clear > furthestClear) {
            furthest = bend;
            furthestClear = clear;
        }
    }
    return furthest;
}

}  // namespace velmora::app
